// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/updateaddress.h"

#include "app/settingstable.h"

#include <QHostAddress>

namespace trek {

namespace {

bool IsLoopback(const QString& host)
{
    if (host.compare(u"localhost", Qt::CaseInsensitive) == 0) {
        return true;
    }
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

Result<QUrl> CheckUrl(const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty()) {
        return fail(QStringLiteral("The update address %1 is no web address.")
                        .arg(url.toString(QUrl::FullyEncoded)));
    }
    const QString scheme = url.scheme().toLower();
    if (scheme == u"https" || (scheme == u"http" && IsLoopback(url.host()))) {
        return url;
    }
    if (scheme == u"http") {
        return fail(QStringLiteral("The update address %1 is plain http; only https is used for "
                                   "updates from other machines.")
                        .arg(url.toString(QUrl::FullyEncoded)));
    }
    return fail(QStringLiteral("The update address %1 is not an https address.")
                    .arg(url.toString(QUrl::FullyEncoded)));
}

} // namespace

QString DefaultUpdateAddress()
{
    return QString::fromLatin1(setting::UpdateUrl.defaultValue());
}

QUrl SignatureAddress(const QUrl& address)
{
    QUrl signature = address;
    signature.setPath(address.path(QUrl::FullyEncoded) + QStringLiteral(".sig"), QUrl::StrictMode);
    return signature;
}

Result<QUrl> CheckUpdateAddress(const QString& text)
{
    if (text.size() > MaxUpdateAddressChars) {
        return fail(QStringLiteral("The update address is longer than %1 characters.")
                        .arg(MaxUpdateAddressChars));
    }
    return CheckUrl(QUrl(text, QUrl::StrictMode));
}

Result<> CheckRedirect(const QUrl& from, const QUrl& to)
{
    if (const Result<QUrl> target = CheckUrl(to); !target) {
        return fail(QStringLiteral("Redirected: ") + target.error());
    }
    if (from.scheme().compare(u"https", Qt::CaseInsensitive) == 0 &&
        to.scheme().compare(u"https", Qt::CaseInsensitive) != 0) {
        return fail(QStringLiteral("The server redirected from https to plain http (%1).")
                        .arg(to.toString(QUrl::FullyEncoded)));
    }
    return {};
}

} // namespace trek
