#pragma once
// The launcher's context for a page: the page's texts, its skinned message box and the real
// system's directory and media-player check. The main and success pages both start the
// sibling tools this way, each with its own texts.
#include "app/launcher.h"

class SkinnedDialog;

LaunchContext MakePageLaunchContext(SkinnedDialog* page, const LaunchTexts& texts);
