#pragma once
// The four information pages: everything they show (captions, text, pictures) comes from their
// skin sections and backgrounds; Next and Back step the wizard without checks.
#include "pages/setting_page.h"

class CInfo1Dialog : public CSettingPage
{
    Q_OBJECT

public:
    static constexpr int IDD = 131;
    explicit CInfo1Dialog(QWidget* parent = nullptr) : CSettingPage(QStringLiteral("4_Info1"), 131, parent) {}
};

class CInfo2Dialog : public CSettingPage
{
    Q_OBJECT

public:
    static constexpr int IDD = 132;
    explicit CInfo2Dialog(QWidget* parent = nullptr) : CSettingPage(QStringLiteral("5_Info2"), 141, parent) {}
};

class CInfo3Dialog : public CSettingPage
{
    Q_OBJECT

public:
    static constexpr int IDD = 133;
    explicit CInfo3Dialog(QWidget* parent = nullptr) : CSettingPage(QStringLiteral("6_Info3"), 151, parent) {}
};

class CInfo4Dialog : public CSettingPage
{
    Q_OBJECT

public:
    static constexpr int IDD = 134;
    explicit CInfo4Dialog(QWidget* parent = nullptr) : CSettingPage(QStringLiteral("7_Info4"), 161, parent) {}
};
