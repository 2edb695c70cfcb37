#include "controls/propertybag.h"
#include <algorithm>

PropertyBag::PropertyBag(std::initializer_list<std::pair<QString, QVariant>> entries)
{
    for (const auto& [key, value] : entries)
        WriteProperty(key, value);
}

std::vector<std::pair<QString, QVariant>>::const_iterator PropertyBag::find(const QString& key) const
{
    return std::find_if(entries_.cbegin(), entries_.cend(),
                        [&key](const auto& entry) { return entry.first == key; });
}

QVariant PropertyBag::ReadProperty(const QString& key, const QVariant& defaultValue) const
{
    const auto entry = find(key);
    return entry == entries_.cend() ? defaultValue : entry->second;
}

void PropertyBag::WriteProperty(const QString& key, const QVariant& value, const QVariant& defaultValue)
{
    const auto entry = find(key);
    const bool isDefault = value == defaultValue;
    if (entry == entries_.cend()) {
        if (!isDefault)
            entries_.emplace_back(key, value);
    } else if (isDefault) {
        entries_.erase(entry);
    } else {
        entries_[std::size_t(entry - entries_.cbegin())].second = value;
    }
}

bool PropertyBag::contains(const QString& key) const
{
    return find(key) != entries_.cend();
}

QStringList PropertyBag::keys() const
{
    QStringList result;
    for (const auto& entry : entries_)
        result << entry.first;
    return result;
}
