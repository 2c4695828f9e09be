// The widgets of the device settings pages: each control edits one field of its page's data.
#pragma once

#include <QWidget>

namespace zem::settings {
class InputPluginsPage;
class SettingsPage;
} // namespace zem::settings

// A page of profile keys: edit fields, check boxes, the timing radio buttons and the priority
// slider, each named after its key.
QWidget* BuildFieldsPage(zem::settings::SettingsPage& page);
QWidget* BuildInputPluginsPage(zem::settings::InputPluginsPage& page);
