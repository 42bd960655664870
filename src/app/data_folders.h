#pragma once
// Where the program finds its data files, the language packs and "License.rtf": beside its
// own executable (a build or a portable copy) first, else in "../share/camtivo/" relative to
// it (an installed copy: bin/camtivo and share/camtivo/). Folders end with "/".
#include <QString>
#include <QStringList>

// The folders looked in, in order.
QStringList DataFolders();

// The first of DataFolders() that holds `fileName`, or the first of them when none does.
QString DataFolderOf(const QString& fileName);

// The folder of the language packs: the first of DataFolders() holding any pack of the
// language table, or the first of them when none does.
QString PackFolder();

// The pack names of the language table whose library is in `folder`, in table order.
QStringList PacksIn(const QString& folder);

// The pack the wizard starts with: the one the user's locale asks for (LC_ALL, LC_MESSAGES,
// LANG) when it is in `packFolder`, else "English".
QString StartupPackName(const QString& packFolder);

// Replaces DataFolders() while it lives; tests point the program at folders of their own.
class ScopedDataFolders
{
public:
    explicit ScopedDataFolders(QStringList folders);
    ~ScopedDataFolders();
    ScopedDataFolders(const ScopedDataFolders&) = delete;
    ScopedDataFolders& operator=(const ScopedDataFolders&) = delete;

private:
    QStringList previous_;
    bool hadPrevious_ = false;
};
