#pragma once

#include "documents/settings_record.h"

#include <QString>

namespace kururie {

struct MainControls;

// The fourteen values as the controls hold them now.
SettingsRecord settingsFromControls(const MainControls& controls);

// Sets the controls in the file's field order, each as the user would, so that their handlers run:
// scroll bars refresh the preview, check boxes and option buttons raise their clicks. The
// background store only takes the value; the canvases keep their colour.
void applySettings(MainControls& controls, const SettingsRecord& record);

// Writes the controls' values as a settings file; false when it cannot be written.
bool writeSettingsFile(const MainControls& controls, const QString& path);

// Reads a whole settings file and only then applies it; false, with no control changed, when the
// file is missing, unreadable or not a settings file the controls can take.
bool readSettingsFile(MainControls& controls, const QString& path);

// Whether the file holds settings that could be read back, as a settings file of this program does.
bool isSettingsFile(const QString& path);

} // namespace kururie
