#pragma once

#include "app/OrganizerStore.h"

#include <QString>
#include <QStringList>

namespace quillet {

// The report templates beside the program: ProgramFolder + "Reports/" +
// "TaskList" or "Contacts" + "/" + name + ".vlf". A template's name is its
// file name up to the first dot. Names compare without regard to case,
// whatever the file system does, so that two templates never differ only
// in case.
class TemplateFolder {
public:
    // programFolder ends in a separator.
    explicit TemplateFolder(QString programFolder);

    static QString kindFolder(DataSourceKind kind);
    // The folder holding the templates of one kind, ending in a separator.
    QString folder(DataSourceKind kind) const;
    QString path(DataSourceKind kind, const QString& name) const;

    // The names of the ".vlf" files of the kind's folder, hidden ones
    // (beginning with a dot) left out, in case-insensitive order. A missing
    // folder has none.
    QStringList names(DataSourceKind kind) const;
    // Whether a file name + ".vlf" exists, compared without regard to case.
    bool exists(DataSourceKind kind, const QString& name) const;
    // A name a new template may take: not empty, no folder separators, no
    // dots (the list shows names up to the first dot) and no control
    // characters.
    static bool validName(const QString& name);

    // Copies a template under a new name, never over an existing file (of
    // any case); false when nothing was copied.
    bool duplicate(DataSourceKind kind, const QString& from, const QString& to) const;
    // Deletes a template; false when nothing was deleted.
    bool remove(DataSourceKind kind, const QString& name) const;

private:
    QString programFolder_;
};

} // namespace quillet
