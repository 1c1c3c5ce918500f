#pragma once

#include <QImage>
#include <cstdint>
#include <random>

namespace samples {

// A drawn head-and-shoulders portrait, different for every seed.
QImage DrawPortrait(std::mt19937& random, int width = 120, int height = 150);

} // namespace samples
