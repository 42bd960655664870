#pragma once
// The keys that make four part edits type like one address: "." in a filled part moves to the
// next part, and a whole dotted address pasted into any part ("10.20.30.41") fills all four.
#include <QObject>
#include <array>

class QLineEdit;

class AddressPartKeys : public QObject
{
    Q_OBJECT

public:
    // Watches the four edits of one address, left to right; the edits stay their page's.
    AddressPartKeys(const std::array<QLineEdit*, 4>& parts, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MoveOn(size_t from);
    bool FillFrom(const QString& text);

    std::array<QLineEdit*, 4> parts_;
};
