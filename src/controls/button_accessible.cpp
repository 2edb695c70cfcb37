#include "controls/button_accessible.h"

QString accessibleCaption(const QString& caption)
{
    QString text;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size())
            ++i;
        text += caption.at(i);
    }
    return text.trimmed();
}
