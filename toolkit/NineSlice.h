#pragma once

namespace mevara {

// Device pixels round half up everywhere, so neighbouring parts meet without gaps.
int snapToPixel(float v);

// Where `length` points from `start` land on the device along one axis with `origin` and
// `scale` (which may be negative: a mirrored picture), low end first.
struct Span {
    float lo, hi;
    bool flipped;
};
Span deviceSpan(float origin, float scale, float start, float length);

// One axis of a nine-slice: the picture's edges in texture pixels and where each lands on
// the device. Slices 0 and 2 keep their size (shrunk together when the destination is too
// small), slice 1 stretches.
struct SliceAxis {
    int src[4] = {0, 0, 0, 0};
    int dst[4] = {0, 0, 0, 0};
};
// `fixedStart` and `stretch` are in picture points, `texels` texture pixels per point,
// `devStart`/`devLength` the destination in device pixels, `devScale` device pixels per point.
SliceAxis sliceAxis(float pictureSize, float fixedStart, float stretch, float texels,
                    float devStart, float devLength, float devScale);

} // namespace mevara
