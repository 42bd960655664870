#pragma once
// ValueField: a static that shows one value on a page (a camera's name, an address, a date)
// in the pages' value font and the primary text colour, on the page's own background.
// A value of a fixed form (names, addresses, dates) must fit its field whole: size the field
// with ValueFieldWidth for the longest value it can hold. A field made for free text elides
// what does not fit with "…" and shows the whole text as its tool tip. A badge field draws
// its value white on a rounded accent chip as wide as the value (MAC address, firmware).
#include <QLabel>
#include <QString>

class ValueField : public QLabel
{
    Q_OBJECT

public:
    enum class Kind
    {
        Whole, // always shown whole; the field is sized for the longest value
        Elide, // free text: cut with "…" when it does not fit
        Badge, // white on a rounded accent chip that grows with the value
    };

    static constexpr int kFontPixels = 12;
    static constexpr int kBadgePadding = 6;

    ValueField(QWidget* parent, const QRect& rect, Kind kind = Kind::Whole);

    void SetValue(const QString& value);
    // The whole value, even where the field shows it elided.
    const QString& Value() const { return value_; }
    // The caption painted beside the field: a reader says it before the value.
    void SetCaption(const QString& caption);
    Kind FieldKind() const { return kind_; }

    // The font of every value field.
    static QFont ValueFont();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Refresh();
    void NameForReader();

    QString value_;
    QString caption_;
    Kind kind_;
    int badgeMaxWidth_ = 0;
};

// Width a field needs to show `longest` whole in the value font (a badge: with its padding).
int ValueFieldWidth(const QString& longest, ValueField::Kind kind = ValueField::Kind::Whole);
