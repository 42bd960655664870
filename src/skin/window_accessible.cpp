#include "skin/window_accessible.h"

#include "skin/named_combo_accessible.h"
#include "skin/readable_window.h"
#include "skin/reading_texts.h"
#include "skin/skin_draw.h"
#include "skin/value_field.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <algorithm>
#include <map>
#include <set>

namespace {

const char* const kDecorativeProperty = "readerPassesOver";
const char* const kPageNameProperty = "readerNameFromPage";

// A part of a window that is no widget: a painted text, the list of steps or one of them.
class PaintedPartAccessible : public QAccessibleInterface
{
public:
    PaintedPartAccessible(QWidget* window, QAccessible::Role role, QString text, const QRect& rect)
        : window_(window), role_(role), text_(std::move(text)), rect_(rect)
    {
    }

    void SetParentId(QAccessible::Id id) { parentId_ = id; }
    void AddChild(QAccessible::Id id) { children_.push_back(id); }
    void SetSelected(bool selected) { selected_ = selected; }
    void SetText(const QString& text) { text_ = text; }
    const QRect& LocalRect() const { return rect_; }

    bool isValid() const override { return window_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return window_ ? window_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return parentId_ != 0 ? QAccessible::accessibleInterface(parentId_)
                              : QAccessible::queryAccessibleInterface(window_.data());
    }
    QAccessibleInterface* child(int index) const override
    {
        return index >= 0 && index < childCount()
                   ? QAccessible::accessibleInterface(children_[static_cast<size_t>(index)])
                   : nullptr;
    }
    int childCount() const override { return static_cast<int>(children_.size()); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto it = std::find(children_.begin(), children_.end(),
                                  QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child)));
        return it == children_.end() ? -1 : static_cast<int>(it - children_.begin());
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            if (QAccessibleInterface* one = child(i); one != nullptr && one->rect().contains(x, y))
                return one;
        }
        return nullptr;
    }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? text_ : QString(); }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        return window_ ? QRect(window_->mapToGlobal(rect_.topLeft()), rect_.size()) : QRect();
    }
    QAccessible::Role role() const override { return role_; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = window_ == nullptr || !window_->isVisible();
        state.readOnly = true;
        state.selectable = role_ == QAccessible::ListItem;
        state.selected = selected_;
        return state;
    }

private:
    QPointer<QWidget> window_;
    QAccessible::Role role_;
    QString text_;
    QRect rect_;
    bool selected_ = false;
    QAccessible::Id parentId_ = 0;
    std::vector<QAccessible::Id> children_;
};

bool IsDecorative(const QWidget* widget)
{
    return widget->property(kDecorativeProperty).toBool();
}

bool HasCaption(const QWidget* widget)
{
    if (window_accessible::NamedByPage(widget))
        return true;
    const auto* button = qobject_cast<const QAbstractButton*>(widget);
    return button != nullptr && (!button->text().isEmpty() || !button->accessibleName().isEmpty());
}

// A label that shows nothing now, such as the camera's name before a camera is chosen.
bool IsBlank(const QWidget* widget)
{
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label != nullptr && label->text().isEmpty() && label->pixmap().isNull() &&
           label->accessibleName().isEmpty();
}

// The shown controls of `window` a reader meets, in creation order, with or without the blank ones.
QList<QWidget*> ShownControls(const QWidget* window, bool withBlank = false)
{
    QList<QWidget*> controls;
    for (QObject* child : window->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && !widget->isWindow() && !widget->isHidden() && !IsDecorative(widget) &&
            (withBlank || !IsBlank(widget)))
            controls << widget;
    }
    return controls;
}

class WindowAccessible : public QAccessibleWidget
{
public:
    WindowAccessible(QWidget* window, const ReadableWindow& readable)
        : QAccessibleWidget(window, readable.IsAlert() ? QAccessible::AlertMessage : QAccessible::Dialog),
          readable_(readable)
    {
    }
    ~WindowAccessible() override { DropParts(); }

    QString text(QAccessible::Text t) const override
    {
        Refresh();
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (!title_.isEmpty())
                return title_;
            if (const QString untitled = readable_.UntitledName(); !untitled.isEmpty())
                return untitled;
        }
        if (t == QAccessible::Description && !description_.isEmpty() &&
            widget()->accessibleDescription().isEmpty())
            return description_;
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return static_cast<int>(Children().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const std::vector<QAccessibleInterface*> children = Children();
        return index >= 0 && index < static_cast<int>(children.size()) ? children[static_cast<size_t>(index)]
                                                                       : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const std::vector<QAccessibleInterface*> children = Children();
        const auto it = std::find(children.begin(), children.end(), child);
        return it == children.end() ? -1 : static_cast<int>(it - children.begin());
    }

    QAccessibleInterface* StatusPart() const
    {
        Refresh();
        return QAccessible::accessibleInterface(statusId_);
    }

private:
    void Refresh() const
    {
        if (generation_ != readable_.ReadingGeneration()) {
            generation_ = readable_.ReadingGeneration();
            const_cast<WindowAccessible*>(this)->Rebuild();
        }
        if (auto* status = static_cast<PaintedPartAccessible*>(QAccessible::accessibleInterface(statusId_)))
            status->SetText(readable_.StatusLine());
    }

    QAccessible::Id AddPart(QAccessible::Role role, const QString& text, const QRect& rect)
    {
        const QAccessible::Id id =
            QAccessible::registerAccessibleInterface(new PaintedPartAccessible(widget(), role, text, rect));
        parts_.push_back(id);
        return id;
    }

    void DropParts()
    {
        for (const QAccessible::Id id : parts_)
            QAccessible::deleteAccessibleInterface(id);
        parts_.clear();
        topLevelParts_.clear();
        statusId_ = 0;
    }

    void Rebuild()
    {
        DropParts();
        PageParts page = readable_.ReadingParts();
        title_ = page.title.text;
        const std::set<int> labels = NameControls(page.texts);
        QStringList own;
        QStringList all;
        for (int i = 0; i < static_cast<int>(page.texts.size()); ++i) {
            const PaintedText& text = page.texts[static_cast<size_t>(i)];
            if (labels.count(i) == 0)
                own << text.text;
            all << text.text;
            topLevelParts_.push_back(AddPart(QAccessible::StaticText, text.text, text.rect));
        }
        // A page whose every text labels a control is described by those texts.
        description_ = (own.isEmpty() ? all : own).join(QLatin1Char('\n'));
        if (!title_.isEmpty())
            topLevelParts_.push_back(AddPart(QAccessible::Heading, title_, page.title.rect));
        if (!page.steps.empty())
            AddSteps(page);
        statusId_ = AddPart(QAccessible::StatusBar, {}, {});
    }

    void AddSteps(const PageParts& page)
    {
        QRect all;
        for (const PaintedText& step : page.steps)
            all |= step.rect;
        const QAccessible::Id listId =
            AddPart(QAccessible::List, SkinString(readable_.ReadingStrings(), kTextReadSteps), all);
        topLevelParts_.push_back(listId);
        auto* list = static_cast<PaintedPartAccessible*>(QAccessible::accessibleInterface(listId));
        for (size_t i = 0; i < page.steps.size(); ++i) {
            const QAccessible::Id itemId =
                AddPart(QAccessible::ListItem, page.steps[i].text, page.steps[i].rect);
            auto* item = static_cast<PaintedPartAccessible*>(QAccessible::accessibleInterface(itemId));
            item->SetParentId(listId);
            item->SetSelected(static_cast<int>(i) == page.currentStep);
            list->AddChild(itemId);
        }
    }

    // Names every shown control without a caption by the text that labels it; returns the
    // indices of the texts that serve as labels.
    std::set<int> NameControls(const std::vector<PaintedText>& texts)
    {
        std::set<int> labels;
        std::map<int, QList<QWidget*>> byLabel;
        for (QWidget* control : ShownControls(widget(), true)) {
            if (HasCaption(control))
                continue;
            const int label = LabelIndexFor(texts, control->geometry());
            if (label < 0)
                continue;
            labels.insert(label);
            const QString& caption = texts[static_cast<size_t>(label)].text;
            if (auto* field = qobject_cast<ValueField*>(control))
                field->SetCaption(caption);
            else if (qobject_cast<QAbstractButton*>(control) != nullptr)
                NameCaptionedButton(control, texts, label, labels);
            else
                byLabel[label] << control;
        }
        for (auto& [label, controls] : byLabel)
            NameParts(texts[static_cast<size_t>(label)].text, controls);
        return labels;
    }

    // A button spanning the texts it is drawn with: named by the first, described by the rest.
    static void NameCaptionedButton(QWidget* button, const std::vector<PaintedText>& texts, int label,
                                    std::set<int>& labels)
    {
        QStringList rest;
        for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
            if (i != label && button->geometry().contains(texts[static_cast<size_t>(i)].rect.topLeft())) {
                rest << texts[static_cast<size_t>(i)].text;
                labels.insert(i);
            }
        }
        button->setAccessibleName(texts[static_cast<size_t>(label)].text);
        button->setAccessibleDescription(rest.join(QLatin1Char('\n')));
    }

    void NameParts(const QString& label, QList<QWidget*> controls) const
    {
        if (controls.size() == 1) {
            controls.front()->setAccessibleName(label);
            return;
        }
        std::stable_sort(controls.begin(), controls.end(),
                         [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        const QString pattern = SkinString(readable_.ReadingStrings(), kTextReadPart);
        for (qsizetype i = 0; i < controls.size(); ++i)
            controls[i]->setAccessibleName(pattern.arg(label).arg(i + 1).arg(controls.size()));
    }

    // The shown controls and the painted parts, in reading order.
    std::vector<QAccessibleInterface*> Children() const
    {
        Refresh();
        std::vector<std::pair<QRect, QAccessibleInterface*>> ordered;
        for (QWidget* control : ShownControls(widget())) {
            if (QAccessibleInterface* one = QAccessible::queryAccessibleInterface(control))
                ordered.emplace_back(control->geometry(), one);
        }
        for (const QAccessible::Id id : topLevelParts_) {
            auto* part = static_cast<PaintedPartAccessible*>(QAccessible::accessibleInterface(id));
            ordered.emplace_back(part->LocalRect(), part);
        }
        std::stable_sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) {
            return a.first.top() != b.first.top() ? a.first.top() < b.first.top()
                                                  : a.first.left() < b.first.left();
        });
        std::vector<QAccessibleInterface*> children;
        for (const auto& [rect, one] : ordered)
            children.push_back(one);
        if (!readable_.StatusLine().isEmpty())
            children.push_back(QAccessible::accessibleInterface(statusId_));
        return children;
    }

    const ReadableWindow& readable_;
    mutable int generation_ = -1;
    QString title_;
    QString description_;
    std::vector<QAccessible::Id> parts_;
    std::vector<QAccessible::Id> topLevelParts_;
    QAccessible::Id statusId_ = 0;
};

QAccessibleInterface* MakeWindowAccessible(const QString&, QObject* object)
{
    if (!object->isWidgetType())
        return nullptr;
    const auto* readable = dynamic_cast<const ReadableWindow*>(object);
    return readable != nullptr ? new WindowAccessible(static_cast<QWidget*>(object), *readable) : nullptr;
}

void Raise(QAccessibleEvent&& event)
{
    QAccessible::updateAccessibility(&event);
}

} // namespace

namespace window_accessible {

void Install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(MakeWindowAccessible);
    QAccessible::installFactory(NamedComboAccessible::Make);
}

void MarkDecorative(QWidget* widget)
{
    widget->setProperty(kDecorativeProperty, true);
}

void KeepPageName(QWidget* control)
{
    control->setProperty(kPageNameProperty, true);
}

bool NamedByPage(const QWidget* control)
{
    return control->property(kPageNameProperty).toBool();
}

void NameControl(QWidget* control, const QString& name)
{
    KeepPageName(control);
    control->setAccessibleName(name);
}

void AnnounceArrival(QWidget* window)
{
    Raise(QAccessibleEvent(window, QAccessible::ObjectShow));
    QWidget* focus = window->focusWidget();
    if (focus != nullptr && window->isAncestorOf(focus))
        Raise(QAccessibleEvent(focus, QAccessible::Focus));
}

void AnnounceAlert(QWidget* box)
{
    Raise(QAccessibleEvent(box, QAccessible::Alert));
}

void AnnounceStatus(QWidget* window)
{
    auto* view = dynamic_cast<WindowAccessible*>(QAccessible::queryAccessibleInterface(window));
    if (view == nullptr)
        return;
    if (QAccessibleInterface* status = view->StatusPart()) {
        Raise(QAccessibleEvent(status, QAccessible::NameChanged));
        Raise(QAccessibleEvent(status, QAccessible::Alert));
    }
}

} // namespace window_accessible
