#pragma once

// Stores the default text of every setting, overwriting what was there. Returns false when
// the store refused a write; the keys written before it stay written.
bool WriteDefaultSettings();

class registry;
// Sets the application name and section that every reader and writer uses.
void OpenSettingsSection(registry& reg);
