#pragma once

#include <QString>

// A caption as it shows: without the "&" that marks its access key, and with a doubled "&"
// shown as one, as Qt draws menu entries and buttons.
QString withoutAccessKeyMark(const QString &caption);
