#include "RichTextBox.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QStringDecoder>

RichTextBox::RichTextBox(QWidget* parent)
    : QWidget(parent)
{
}

FileResult RichTextBox::LoadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileResult::failure(QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
    // Decoded piece by piece into a string sized once, so a large log costs
    // its text and little more.
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text;
    text.reserve(file.size()); // UTF-8 never takes fewer bytes than UTF-16 units
    while (!file.atEnd()) {
        const QByteArray piece = file.read(1 << 20);
        if (piece.isEmpty() && file.error() != QFileDevice::NoError)
            return FileResult::failure(
                QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
        if (piece.isEmpty())
            break;
        text += decoder(piece);
    }
    m_text = std::move(text);
    m_selStart = 0;
    m_selLength = 0;
    return FileResult::success();
}

void RichTextBox::setSelStart(qsizetype start)
{
    m_selStart = std::clamp<qsizetype>(start, 0, m_text.size());
    m_selLength = std::min(m_selLength, m_text.size() - m_selStart);
}

void RichTextBox::setSelLength(qsizetype length)
{
    m_selLength = std::clamp<qsizetype>(length, 0, m_text.size() - m_selStart);
}

QString RichTextBox::SelText() const
{
    if (m_selStart == 0 && m_selLength == m_text.size())
        return m_text; // shared, not copied: the whole text is the usual selection
    return m_text.mid(m_selStart, m_selLength);
}

void RichTextBox::copy() const
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(SelText());
}
