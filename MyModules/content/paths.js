.pragma library
// A local path as a URL the engine loads: "/a/b" and "C:/a/b" alike.
function file_url(path) {
    return (path.charAt(0) === "/" ? "file://" : "file:///") + path
}
