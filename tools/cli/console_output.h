#pragma once
// Standard output written byte for byte: text that carries its own line ends (CSV's CR LF)
// must not get a CR added before each LF, as a Windows text-mode stream does. The posix/ and
// windows/ folders each hold one system's version.

// Switches standard output to binary mode where the system has a text mode; call it before
// anything is written there.
void WriteStandardOutputAsIs();
