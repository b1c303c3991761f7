#pragma once

#include <QHash>
#include <QString>
#include <optional>

// The table of every text the system shows: Japanese at identifier N, English at N + 10000.
// It is compiled into the program from resources/messages.tsv.
class MessageTable
{
public:
    static const MessageTable &instance();

    // Rows "N<TAB>Japanese<TAB>English"; "#" starts a comment; "\n" and "\\" are escapes.
    bool parse(const QString &tsv, QString *error = nullptr);

    std::optional<QString> text(int fullId) const;
    bool contains(int fullId) const { return m_texts.contains(fullId); }
    QList<int> ids() const { return m_texts.keys(); }
    int size() const { return int(m_texts.size()); }

private:
    QHash<int, QString> m_texts;
};
