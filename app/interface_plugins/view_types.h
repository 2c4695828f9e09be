// The view types interface plug-ins register (interface requests 2 and 3): one document
// template each in the program's template list, a command 4480 + index that opens a view of
// the type, and menu items under "&Settings", "&Interface", "Interface views" and, for the
// types that ask for it, "&File", "&New".
//
// The descriptors are the plug-ins' memory; a type is known from its registration until its
// removal or the main window's close.
//
// Threads: the user-interface thread only (the request channel brings plug-in calls there).
#pragma once

#include "app/framework/command_target.h"

#include <QPointer>

#include <cstdint>
#include <vector>

class QMenuBar;
class ZemChildFrame;
class ZemDocManager;
struct ZEM_ViewDescriptor;

namespace zem::interface_plugins {

inline constexpr int kFirstViewCommand = 4480;
inline constexpr int kLastViewCommand = 4580;
inline constexpr const char kViewDescriptorNotFound[] = "View descriptor not found!!";

class CInterfaceViewTypes : public ZemCommandTarget {
public:
    // documents must outlive this object.
    explicit CInterfaceViewTypes(ZemDocManager& documents);

    // The menu bar the menus are rebuilt in; it may go before this object does.
    void SetMenuBar(QMenuBar* menuBar);

    // Request 2: registers the type's template. With open-at-once set, opens a view and returns
    // its frame; otherwise rebuilds the menus and returns 0. A descriptor already registered
    // is left as it is (0).
    intptr_t AddView(ZEM_ViewDescriptor* view);
    // Request 3: closes the type's documents (their files recorded in "Startup"/"Open files"),
    // drops its template, rebuilds the menus and returns 1. Throws ZEMException
    // "View descriptor not found!!" for a descriptor that is not registered.
    intptr_t RemoveView(ZEM_ViewDescriptor* view);
    // At the main window's close (after the caller set the application-closing flag): every
    // type's documents closed and every type removed, first registered first.
    void CloseAllViews();

    // A new document and frame of the type at index, shown; null when none could be made.
    ZemChildFrame* OpenView(std::size_t index);
    void RebuildMenus();

    const std::vector<ZEM_ViewDescriptor*>& Descriptors() const { return m_views; }

    // The view commands, for the main window's command chain.
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, ZemCommandState& state) override;

private:
    ZemChildFrame* openView(ZEM_ViewDescriptor& view);
    void unregister(std::size_t index);

    ZemDocManager& m_documents;
    QPointer<QMenuBar> m_menuBar;
    std::vector<ZEM_ViewDescriptor*> m_views;
};

} // namespace zem::interface_plugins
