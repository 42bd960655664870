#pragma once
// LanguagePage: the page on which a language is chosen, and the holder of the language in
// use for the whole wizard. The frame creates it hidden and reads its language whenever it
// shows a page or reloads the pack; choosing another language makes the frame load that pack.
#include "skin/skinned_dialog.h"

#include <QStringList>

class QComboBox;

class LanguagePage : public SkinnedDialog
{
    Q_OBJECT

public:
    static constexpr int IDC_LANGUAGE_LIST = 1008;
    static constexpr int IDC_LANGUAGE_NEXT = 1003;
    static constexpr int IDC_LANGUAGE_EXIT = 1007;
    static constexpr int IDC_LANGUAGE_CLOSE = 1014;
    static constexpr int IDC_LANGUAGE_LOAD_SKIN = 1006;

    explicit LanguagePage(QWidget* parent = nullptr);

    // Set by the frame before the page is created: the packs the list offers (pack names, of
    // the language table) and the one selected at the start. Without it the list offers the
    // whole table and starts on English.
    void SetChoices(const QStringList& packNames, const QString& startLanguage);

    QComboBox* LanguageList() const { return list_; }

protected:
    bool Initialise() override;
    bool OnCommand(int id) override;
    void ApplySkin() override;

private:
    void OnSelectionChanged();

    QComboBox* list_ = nullptr;
    QStringList choices_;
    QString startLanguage_;
};
