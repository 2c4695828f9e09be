// A child window of the workspace holding one view, with the placement memory of its kind: a
// profile section and key base under which the window's place is stored when it is destroyed
// and from which it is restored. With an empty section nothing is stored or restored.
#pragma once

#include "app/framework/command_target.h"
#include "app/framework/framework_export.h"
#include "app/framework/placement.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QString>

#include <string>

class ZemDocument;
class ZemProfile;
class ZemView;

class ZEM_FRAMEWORK_EXPORT ZemChildFrame : public QMdiSubWindow, public ZemCommandTarget {
    Q_OBJECT
public:
    explicit ZemChildFrame(QWidget* parent = nullptr);
    // Stores the placement, then lets its views leave their documents while it is still whole.
    ~ZemChildFrame() override;

    // The view becomes the frame's widget and its active view.
    void SetView(ZemView* view);
    ZemView* GetActiveView() const;
    // For frames holding several views: which one commands go to.
    void SetActiveView(ZemView* view);
    ZemDocument* GetActiveDocument() const;
    // Shows the frame as it was before it was minimised, makes it the workspace's active
    // window and puts it on top: what opening a window that is already open does.
    void BringToFront();
    // A frame that is a second window on a document (its equalizer, its wave editor) keeps
    // this after whatever title the document gives it.
    void SetTitleSuffix(const QString& suffix) { m_titleSuffix = suffix; }

    // Placement memory. The profile must outlive the frame; the template hands in the
    // manager's profile when it makes the frame.
    void SetPlacementKey(const std::string& section, const std::string& keyBase);
    const std::string& GetPlacementSection() const { return m_section; }
    const std::string& GetPlacementKeyBase() const { return m_keyBase; }
    void SetProfile(ZemProfile* profile) { m_profile = profile; }
    ZemProfile* GetProfile() const { return m_profile; }
    // Enforced on every resize, restored placements included.
    void SetMinimumTrackSize(int width, int height);
    // Moves the window to the stored rectangle, or in keep-size mode to its top-left corner
    // with the current size. False, and nothing moves, when any of the keys is absent.
    bool RestorePlacement(bool keepSize);
    void StorePlacement();
    // The rectangle of the window when neither minimised nor maximised (workspace coordinates).
    QRect GetNormalGeometry() const;

    // Called by the template once the frame is in the workspace, before its view exists. A
    // plain child window restores its placement here, not in keep-size mode.
    virtual void OnCreateFrame();
    // Called by the template once document, frame and view are joined: titles the frame, runs
    // the views' initial update and shows the frame when makeVisible is set.
    virtual void OnInitialUpdateFrame(ZemDocument* document, bool makeVisible);

protected:
    // Asks the document whether it may close (unsaved changes) when this is its last frame.
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void trackNormalGeometry();

    QPointer<ZemView> m_activeView;
    ZemProfile* m_profile = nullptr;
    std::string m_section;
    std::string m_keyBase;
    QRect m_normal;
    QString m_titleSuffix;
};
