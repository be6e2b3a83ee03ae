#include "FixedFolder.h"

FixedFolder::FixedFolder(QString text, std::function<void(const QString&)> writeBack)
    : m_text(std::move(text))
    , m_writeBack(std::move(writeBack))
{
}

const QString& FixedFolder::text()
{
    if (!m_text.endsWith(NativeSeparator)) {
        m_text += NativeSeparator;
        if (m_writeBack)
            m_writeBack(m_text);
    }
    return m_text;
}
