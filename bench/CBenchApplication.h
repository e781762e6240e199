#pragma once

// The one Qt application object the benchmarks that draw or run windows share, on the
// offscreen platform unless the caller chose another.
class CBenchApplication {
public:
    static void Ensure();
};
