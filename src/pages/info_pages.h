#pragma once
// The four information pages: everything they show (captions, text, pictures) comes from their
// skin sections and backgrounds; Next and Back step the wizard without checks. Page N (1 to 4)
// has the skin section "<N + 3>_Info<N>" and background 121 + 10 N.
#include "pages/setting_page.h"

template <int N> class InfoPage : public SettingPage
{
    static_assert(N >= 1 && N <= 4, "there are four information pages");

public:
    explicit InfoPage(QWidget* parent = nullptr)
        : SettingPage(QStringLiteral("%1_Info%2").arg(N + 3).arg(N), 121 + 10 * N, parent)
    {
    }
};

using BeforeYouStartPage = InfoPage<1>;
using WhatChangesPage = InfoPage<2>;
using CameraMissingPage = InfoPage<3>;
using AfterSavingPage = InfoPage<4>;
