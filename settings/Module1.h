#pragma once

// Stores the default text of every setting, overwriting what was there, as one change of the
// store. Returns false when the store refused it; a settings file then holds what it held.
bool WriteDefaultSettings();

enum class FirstRunDefaults {
    Written,
    NotNeeded, // the store holds a numeric first delay after all: read it again
    Failed,
};
// WriteDefaultSettings for a reader that found no numeric first delay: the defaults are
// stored only if the first delay is still not numeric when they are written, so that a file
// that an editor is saving at this moment is not overwritten with them.
FirstRunDefaults WriteDefaultSettingsAtFirstRun();

class registry;
// Sets the application name and section that every reader and writer uses.
void OpenSettingsSection(registry& reg);
