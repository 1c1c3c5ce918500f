#pragma once

#include "engine/script/Errors.h"

namespace vl {

// The error of a picture whose data is damaged or unsupported.
class PictureError : public VlError {
public:
    using VlError::VlError;
};

} // namespace vl
