#ifndef DATAENGINEINTERFACE_H
#define DATAENGINEINTERFACE_H

// The contract between the host and a data-engine plug-in. Plug-ins include
// only this header; it depends on nothing but QtCore.

#include <QByteArray>
#include <QList>
#include <QtPlugin>
#include <vector>

#define DataEngineInterface_iid "QELO+.Plugin.DataEngineInterface"

// One decoded frame. start and end index the bytes handed to process()
// (end inclusive); batch counts the binary payload bytes that end the frame.
struct Frame {
    int start = 0;
    int end = 0;
    int batch = 0;
    std::vector<float> values;
    bool wave = false;
};

// One decoded picture. Formats 0..24 are raw pixel formats numbered as
// QImage::Format (width and height apply); 25..34 are encoded files.
struct Image {
    QByteArray data;
    int format = 0;
    int size = 0;
    int width = 0;
    int height = 0;
};

enum ImageFileFormat {
    ImageBMP = 25, ImageGIF, ImageJPG, ImagePNG, ImagePBM,
    ImagePGM, ImagePPM, ImageXBM, ImageXPM, ImageSVG
};

class DataEngineInterface
{
public:
    // Decodes from the first unconsumed byte. The engine empties `frames`
    // itself and fills it with the frames found in this call, in order.
    virtual void process(const char *data, int length) = 0;
    virtual ~DataEngineInterface() = default;

    QList<Frame *> frames;
    QList<Image *> images;
};

Q_DECLARE_INTERFACE(DataEngineInterface, DataEngineInterface_iid)

#endif
