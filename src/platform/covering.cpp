#include "platform/covering.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace {

class Covering final : public QObject {
public:
    explicit Covering(QWidget* frame) : QObject(frame), frame_(frame)
    {
        frame->installEventFilter(this);
        if (!frame->isHidden())
            cover();
    }

    // A frame that goes while shown leaves its window usable.
    ~Covering() override { uncover(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == frame_)
            frameEvent(event->type());
        else if (event->type() == QEvent::ShowToParent && isCovered(watched))
            // Shown by its window while covered (a list shown again after a refill): it
            // stays behind the frame until the frame goes.
            static_cast<QWidget*>(watched)->hide();
        return false;
    }

private:
    void frameEvent(QEvent::Type type)
    {
        switch (type) {
        case QEvent::ShowToParent:
            cover();
            break;
        case QEvent::HideToParent:
            uncover();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (!frame_->isHidden()) {
                uncover();
                cover();
            }
            break;
        default:
            break;
        }
    }

    bool isCovered(const QObject* widget) const
    {
        for (const QPointer<QWidget>& covered : covered_)
            if (covered == widget)
                return true;
        return false;
    }

    // The siblings created or raised before the frame lie below it; one that shows beside
    // the frame (a list reaching a pixel under a panel) stays usable.
    std::vector<QWidget*> siblingsBelow() const
    {
        std::vector<QWidget*> below;
        QWidget* parent = frame_->parentWidget();
        if (!parent)
            return below;
        for (QObject* child : parent->children()) {
            if (child == frame_)
                break;
            auto* widget = qobject_cast<QWidget*>(child);
            if (widget && !widget->isWindow() && !widget->isHidden()
                && frame_->geometry().contains(widget->geometry()))
                below.push_back(widget);
        }
        return below;
    }

    void cover()
    {
        if (!covered_.empty())
            return;
        QWidget* focus = QApplication::focusWidget();
        for (QWidget* widget : siblingsBelow()) {
            if (focus && (widget == focus || widget->isAncestorOf(focus)))
                focusBefore_ = focus;
            covered_.emplace_back(widget);
            widget->installEventFilter(this);
            widget->hide();
        }
        if (focusBefore_)
            focusFirstField();
    }

    void uncover()
    {
        const std::vector<QPointer<QWidget>> covered = std::move(covered_);
        covered_.clear();
        for (const QPointer<QWidget>& widget : covered) {
            if (!widget)
                continue;
            widget->removeEventFilter(this);
            widget->show();
        }
        const QPointer<QWidget> focus = focusBefore_;
        focusBefore_ = nullptr;
        if (focus && focus->isVisible() && focus->isEnabled())
            focus->setFocus(Qt::OtherFocusReason);
    }

    void focusFirstField() const
    {
        for (QWidget* w = frame_->nextInFocusChain(); w && w != frame_; w = w->nextInFocusChain()) {
            if (!frame_->isAncestorOf(w))
                continue;
            if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(frame_)) {
                w->setFocus(Qt::TabFocusReason);
                return;
            }
        }
    }

    QWidget* frame_;
    std::vector<QPointer<QWidget>> covered_;
    QPointer<QWidget> focusBefore_;
};

} // namespace

void coverWhileShown(QWidget* frame)
{
    new Covering(frame);
}
