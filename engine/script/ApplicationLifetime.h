#pragma once

namespace vl {

// Process-wide objects that own Qt objects (the printer, the measuring
// canvas, windows and dialog services) must go before the application
// object does, not after it at process exit: this registers release to run
// when the running application object is destroyed, once per application.
// Without an application object nothing is registered.
void ReleaseWithApplication(void (*release)());

} // namespace vl
