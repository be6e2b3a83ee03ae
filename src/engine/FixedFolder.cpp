#include "FixedFolder.h"

FixedFolder::FixedFolder(QString text, std::function<void(const QString&)> writeBack, QChar separator)
    : m_text(std::move(text))
    , m_writeBack(std::move(writeBack))
    , m_separator(separator)
{
}

const QString& FixedFolder::text()
{
    if (!m_text.endsWith(m_separator)) {
        m_text += m_separator;
        if (m_writeBack)
            m_writeBack(m_text);
    }
    return m_text;
}
