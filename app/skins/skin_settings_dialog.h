// "Skin settings...": the skin folders of the program's skins folder, the current one chosen.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;

namespace zem::skins {

inline constexpr char kNewSkinText[] =
    "In order for the new skin to take effect, ZEM must be closed and restarted";

// Every folder of programDir/skins holding a "skin.cfg", by name.
std::vector<std::string> ListSkinFolders(const std::string& programDir);

class SkinSettingsDialog : public QDialog {
    Q_OBJECT
public:
    SkinSettingsDialog(const std::vector<std::string>& skins, const std::string& current,
                       QWidget* parent = nullptr);
    // The chosen folder name; empty when none is chosen.
    std::string Chosen() const;

private:
    QListWidget* m_list = nullptr;
};

} // namespace zem::skins
