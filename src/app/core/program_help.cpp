#include "app/core/program_help.h"

const char* ProgramHelp()
{
    return R"(Usage: camtivo [/testmode] [/all-product] [--to ADDRESS]... [--snapshot=FILE] [QT-OPTION]...
  or:  camtivo --help | --version
Find the network cameras on the local network, log in to one, and write its name,
description, time zone, date and time, and its DHCP or fixed address back to it, in a
wizard of one window.

The wizard starts in the language of the locale when a language pack for it is installed,
and in English otherwise. Switches are matched anywhere in the command line, in any case.

Options:
  /testmode         run without a network: the cameras are read from Camtivo.tst in the
                    current folder, a save writes them back there, and the skin editing
                    buttons show.
  /all-product      turn the product filter off (cameras of device types other than 17
                    and 18 are refused either way).
  --to ADDRESS, /to:ADDRESS
                    every search also asks this address directly, for a camera behind a
                    router, which no broadcast reaches (repeatable). Such a camera is
                    listed, saved (by its address) and found again like one on this
                    network. ADDRESS may also be a block (10.20.0.0/22; from /30 up
                    without its first and last addresses) or a range
                    (10.20.4.10-10.20.4.200) of at most 65,536 addresses, all of them
                    together too: each search then asks every address once, at 5000
                    datagrams a second, and its box counts the addresses asked. Any other
                    value ends the program (status 2).
  --snapshot=FILE   save the window as a PNG image (uncompressed BMP for a FILE ending in
                    .bmp) once its main page has painted, then exit (status 1 when the
                    image cannot be saved). --snapshot=search:FILE presses Start first
                    and saves the search page once its search has ended.
  -h, --help        show this help and exit.
  --version         print the version and exit.
Qt's own options, such as -platform NAME, are accepted too.

Environment:
  LANG              the locale's language chooses the language pack (es_ES.UTF-8:
                    Spanish).
  QT_QPA_PLATFORM   offscreen runs the wizard without a display.
  QT_SCALE_FACTOR   draws the window larger (2: twice as large and as sharp).

Files:
  /usr/share/camtivo/English.dll, /usr/share/camtivo/Spanish.dll
                    the language packs: strings, pictures and skin; packs beside the
                    program are used first.
  /usr/share/camtivo/License.rtf
                    the licence text the wizard shows.
  Camtivo.tst       test mode's cameras, in the current folder.

Examples:
  Find the cameras and set one up:
    $ camtivo
  Try the wizard on the cameras of a test file, without a network:
    $ camtivo /testmode
  Also ask a camera behind a router, by its address:
    $ camtivo --to 10.20.0.7
  Find every camera of a routed subnet:
    $ camtivo --to 10.20.0.0/22
  Save the main page as a picture, without a display:
    $ QT_QPA_PLATFORM=offscreen camtivo /testmode --snapshot=main.png
  The same for the search page, with the test file's cameras listed:
    $ QT_QPA_PLATFORM=offscreen camtivo /testmode --snapshot=search:search.png
)";
}
