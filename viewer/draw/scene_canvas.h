// The surface a scene is drawn on: the picture's pixels (Raster) or a painter
// (PainterCanvas). Points are in the surface's own coordinates. The renderer hands
// over its figures in batches, one path per colour, so a canvas changes its colour and
// width once a batch, never once a particle.
#pragma once

#include <QRgb>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <span>
#include <vector>

namespace sorvath {

struct PixelPoint {
    double x = 0.0;
    double y = 0.0;
};

// Figures drawn in one call: their points one after another, where each one starts,
// and for fills each figure's place in the drawing order.
class FigureBatch {
public:
    void clear() {
        starts_.assign(1, 0);
        order_.clear();
    }
    bool empty() const { return order_.empty(); }
    int size() const { return static_cast<int>(order_.size()); }

    // Room for a figure of count points, to be written by the caller (the room is kept
    // from drawing to drawing and not cleared).
    PixelPoint* add(int count, int order = 0) {
        const auto start = static_cast<size_t>(starts_.back());
        const size_t end = start + static_cast<size_t>(count);
        if (end > room_) grow(end);
        starts_.push_back(static_cast<int>(end));
        order_.push_back(order);
        return points_.get() + start;
    }
    void addSegment(PixelPoint from, PixelPoint to) {
        PixelPoint* ends = add(2);
        ends[0] = from;
        ends[1] = to;
    }

    const PixelPoint* points(int figure) const { return points_.get() + starts_[static_cast<size_t>(figure)]; }
    int count(int figure) const {
        return starts_[static_cast<size_t>(figure) + 1] - starts_[static_cast<size_t>(figure)];
    }
    int order(int figure) const { return order_[static_cast<size_t>(figure)]; }

private:
    // Raw storage: the points are written once by the caller, never set to zero first.
    struct Release {
        void operator()(PixelPoint* points) const { ::operator delete(points); }
    };
    using Storage = std::unique_ptr<PixelPoint[], Release>;

    void grow(size_t wanted) {
        const size_t room = std::max(wanted, 2 * room_);
        Storage larger(static_cast<PixelPoint*>(::operator new(room * sizeof(PixelPoint))));
        if (points_) std::copy(points_.get(), points_.get() + starts_.back(), larger.get());
        points_ = std::move(larger);
        room_ = room;
    }

    Storage points_;
    size_t room_ = 0;
    std::vector<int> starts_ = {0};  // figure k is points_[starts_[k] .. starts_[k + 1])
    std::vector<int> order_;
};

// The convex polygons of one fill colour.
struct FillBatch {
    const FigureBatch* polygons = nullptr;
    QRgb colour = 0;
};

class SceneCanvas {
public:
    virtual ~SceneCanvas() = default;
    // Each figure an open polyline: segments between its consecutive points (a figure of
    // two points is one segment), in one colour and width (2 is the wide contact segment).
    virtual void stroke(const FigureBatch& figures, QRgb colour, int width = 1) = 0;
    // Fills the inside of every figure of the batches, each a convex polygon of its
    // corners, in the drawing order of the figures across all batches: where polygons
    // overlap, the one later in that order covers the earlier whatever their colours, as
    // if filled one by one in that order.
    virtual void fill(std::span<const FillBatch> batches) = 0;

protected:
    // Calls draw(batch, figure) for every figure of the batches in drawing order (a merge
    // of the batches, each already in that order).
    template <typename Draw>
    static void inDrawingOrder(std::span<const FillBatch> batches, Draw&& draw) {
        std::vector<int> next(batches.size(), 0);
        for (;;) {
            int chosen = -1;
            for (size_t b = 0; b < batches.size(); ++b) {
                const FigureBatch& polygons = *batches[b].polygons;
                if (next[b] >= polygons.size()) continue;
                if (chosen < 0 || polygons.order(next[b]) < batches[static_cast<size_t>(chosen)].polygons->order(
                                                                next[static_cast<size_t>(chosen)]))
                    chosen = static_cast<int>(b);
            }
            if (chosen < 0) return;
            const FillBatch& batch = batches[static_cast<size_t>(chosen)];
            draw(batch, next[static_cast<size_t>(chosen)]++);
        }
    }
};

}  // namespace sorvath
