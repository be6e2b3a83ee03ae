#include "RunCaptions.h"

#include "DateText.h"

QString completionCaption(const QDateTime& when, const QLocale& locale)
{
    return QStringLiteral("Auto Backup Complete at ") + generalDateText(when, locale);
}
