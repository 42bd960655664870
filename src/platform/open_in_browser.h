#pragma once
// Opens a web address or a document with the desktop's default handler (web addresses go to
// the default browser). Returns the shell's result: above 32 means started.
//
// There is no second attempt through a browser found some other way: the desktop's handler
// lookup already is what a registry fallback would consult, so a second try could only fail
// the same way.
#include <QString>

int OpenInBrowser(const QString& target);
