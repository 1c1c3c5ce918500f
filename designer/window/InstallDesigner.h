#pragma once

namespace vl {

// Makes the designer window the engine's designer: reports can then be
// designed (TvlReport::DesignReport) and prepared pages edited (the
// preview's "Edit page"). Programs call it once at start, after the
// application object exists; the dialog controls' tools come with it.
void InstallDesigner();
// Takes the designer out of the engine again.
void UninstallDesigner();

} // namespace vl
