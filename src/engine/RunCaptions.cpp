#include "RunCaptions.h"

#include "DateText.h"

QString CompletionCaption(const QDateTime& when, const QLocale& locale)
{
    return QStringLiteral("Auto Backup Complete at ") + GeneralDateText(when, locale);
}
