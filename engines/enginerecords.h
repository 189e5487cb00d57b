#ifndef ENGINERECORDS_H
#define ENGINERECORDS_H

#include <deque>

#include "engine_interface/dataengineinterface.h"

// Frame and image records an engine reuses from call to call, so decoding
// allocates nothing per frame once the pools have grown.
class EngineRecords
{
public:
    explicit EngineRecords(DataEngineInterface *owner) : owner_(owner) {}
    ~EngineRecords()
    {
        owner_->frames.clear();
        owner_->images.clear();
    }

    void begin()
    {
        // erase keeps the list's storage, clear() would free it
        owner_->frames.erase(owner_->frames.begin(), owner_->frames.end());
        used_ = 0;
    }

    Frame &add(int start, int end, int batch, bool wave)
    {
        if (used_ == frame_pool_.size())
            frame_pool_.emplace_back();
        Frame &f = frame_pool_[used_++];
        f.start = start;
        f.end = end;
        f.batch = batch;
        f.wave = wave;
        f.values.clear();
        owner_->frames.append(&f);
        return f;
    }

    // The image record with this id; the list grows to id + 1.
    Image &image(int id)
    {
        while (owner_->images.size() <= id) {
            image_pool_.emplace_back();
            owner_->images.append(&image_pool_.back());
        }
        return *owner_->images[id];
    }

private:
    DataEngineInterface *owner_;
    std::deque<Frame> frame_pool_;
    std::deque<Image> image_pool_;
    size_t used_ = 0;
};

#endif
