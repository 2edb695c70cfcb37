#pragma once
// The container's store of a control's properties: an ordered list of named values.
// A value equal to its default is not stored, so reading it back yields the default.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <initializer_list>
#include <utility>
#include <vector>

class PropertyBag {
public:
    PropertyBag() = default;
    // Designer data written out directly: {{"Caption", "~Epistrofi"}, {"PictureAlignment", 2}}.
    PropertyBag(std::initializer_list<std::pair<QString, QVariant>> entries);

    // The stored value of key, or defaultValue when none is stored.
    QVariant ReadProperty(const QString& key, const QVariant& defaultValue = {}) const;
    // Stores value under key, keeping the key's first position; a value equal to its
    // default removes the entry instead.
    void WriteProperty(const QString& key, const QVariant& value, const QVariant& defaultValue = {});

    bool contains(const QString& key) const;
    QStringList keys() const;   // in the order they were first written
    int size() const { return int(entries_.size()); }

private:
    std::vector<std::pair<QString, QVariant>>::const_iterator find(const QString& key) const;

    std::vector<std::pair<QString, QVariant>> entries_;
};
