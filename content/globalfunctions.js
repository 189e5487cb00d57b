.pragma library

// Sorts an array of objects in place by the member `key`.
function quick_sort(array, key) {
    quick_sort_(array, key, 0, array.length - 1)
    return array
}

function quick_sort_(array, key, start, end) {
    if (start >= end)
        return
    var pivot = array[Math.floor((start + end) / 2)][key]
    var i = start, j = end
    while (i <= j) {
        while (array[i][key] < pivot) i++
        while (array[j][key] > pivot) j--
        if (i <= j) {
            var t = array[i]
            array[i] = array[j]
            array[j] = t
            i++
            j--
        }
    }
    quick_sort_(array, key, start, j)
    quick_sort_(array, key, i, end)
}
