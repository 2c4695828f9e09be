// A document: the data behind one or more views, with its title, its file and whether it has
// unsaved changes. Documents belong to the template that made them; a document closes (and
// deletes itself) when its last view goes, or when OnCloseDocument is called.
#pragma once

#include "app/framework/command_target.h"
#include "app/framework/framework_export.h"

#include <QString>

#include <vector>

class ZemChildFrame;
class ZemDocTemplate;
class ZemView;

class ZEM_FRAMEWORK_EXPORT ZemDocument : public ZemCommandTarget {
public:
    ZemDocument();
    // Leaves its template; views still showing it are told it is gone.
    ~ZemDocument() override;
    ZemDocument(const ZemDocument&) = delete;
    ZemDocument& operator=(const ZemDocument&) = delete;

    const QString& GetTitle() const { return m_title; }
    // Also the window title of every frame showing the document.
    virtual void SetTitle(const QString& title);
    const QString& GetPathName() const { return m_path; }
    // Sets the file and, as the title, its name after the last "/" or "\".
    virtual void SetPathName(const QString& path);
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    ZemDocTemplate* GetDocTemplate() const { return m_template; }
    const std::vector<ZemView*>& GetViews() const { return m_views; }
    // Calls OnUpdate on every view but sender.
    void UpdateAllViews(ZemView* sender, long hint = 0);
    // When set (the default), the document deletes itself once closed or left without views.
    void SetAutoDelete(bool on) { m_autoDelete = on; }

    // Hooks. The base class keeps no data: new and open only clear the modified flag, saving
    // writes nothing and clears it.
    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const QString& path);
    virtual bool OnSaveDocument(const QString& path);
    // Destroys the frames of all views, clears the contents and deletes the document.
    virtual void OnCloseDocument();
    // Drops the document's data; called before closing and before new or open.
    virtual void DeleteContents();
    // Modified: asks (the manager's save question) and saves on yes. False means cancel.
    virtual bool SaveModified();
    // Closing one frame only asks about saving when it is the document's last one.
    virtual bool CanCloseFrame(ZemChildFrame* frame);
    // Saves to the document's file, asking for a name when it has none.
    virtual bool DoFileSave();
    // Saves to path; an empty path asks for one (Save As). With replace the document takes the
    // new name, otherwise it saves a copy.
    virtual bool DoSave(const QString& path, bool replace = true);

    // File Close and File Save.
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, ZemCommandState& state) override;

    // Kept up by ZemView as views attach and go.
    void AddView(ZemView* view);
    void RemoveView(ZemView* view);

private:
    friend class ZemDocTemplate;
    QString m_title;
    QString m_path;
    bool m_modified = false;
    bool m_autoDelete = true;
    bool m_closing = false;
    ZemDocTemplate* m_template = nullptr;
    std::vector<ZemView*> m_views;
};
