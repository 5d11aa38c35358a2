#include "database/HttpAddress.h"

namespace {

std::optional<HttpAddress> addressFromUrl(const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    HttpAddress address;
    const QString scheme = url.scheme(); // QUrl keeps schemes in lower case
    if (scheme == QLatin1String("https"))
        address.tls = true;
    else if (scheme != QLatin1String("http"))
        return std::nullopt;

    address.url = url;
    address.host = url.host();
    const int port = url.port(address.tls ? kHttpsPort : kHttpPort);
    if (port <= 0 || port > 65535)
        return std::nullopt;
    address.port = static_cast<quint16>(port);

    // The Host line names the port only when the address did; an IPv6 host keeps its brackets.
    address.hostField = url.host(QUrl::FullyEncoded).toLatin1();
    if (address.host.contains(QLatin1Char(':')))
        address.hostField = '[' + address.hostField + ']';
    if (url.port() != -1)
        address.hostField += ':' + QByteArray::number(url.port());

    address.target = url.path(QUrl::FullyEncoded).toLatin1();
    if (address.target.isEmpty())
        address.target = "/";
    if (url.hasQuery())
        address.target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    return address;
}

/// The address a redirect names, whatever its scheme.
std::optional<HttpAddress> redirectAddress(const HttpAddress& from, const QByteArray& location)
{
    const QByteArray trimmed = location.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const QUrl relative = QUrl::fromEncoded(trimmed, QUrl::TolerantMode);
    if (!relative.isValid())
        return std::nullopt;
    QUrl resolved = from.url.resolved(relative);
    resolved.setFragment(QString());
    return addressFromUrl(resolved);
}

} // namespace

std::optional<HttpAddress> parseHttpAddress(const QString& typed)
{
    QString text = typed.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    // A scheme is recognised only before the first "/" of the host part.
    const qsizetype schemeEnd = text.indexOf(QLatin1String("://"));
    const qsizetype firstSlash = text.indexOf(QLatin1Char('/'));
    if (schemeEnd < 0 || (firstSlash >= 0 && firstSlash < schemeEnd))
        text.prepend(QLatin1String("http://"));
    return addressFromUrl(QUrl(text, QUrl::TolerantMode));
}

std::optional<HttpAddress> resolveRedirect(const HttpAddress& from, const QByteArray& location)
{
    std::optional<HttpAddress> next = redirectAddress(from, location);
    // Guard: a download begun encrypted stays encrypted; a redirect to plain http would let
    // anyone on the way read or replace the file.
    if (next && from.tls && !next->tls)
        return std::nullopt;
    return next;
}

bool redirectLeavesEncryption(const HttpAddress& from, const QByteArray& location)
{
    const std::optional<HttpAddress> next = redirectAddress(from, location);
    return from.tls && next && !next->tls;
}

QByteArray httpGetRequest(const HttpAddress& address)
{
    QByteArray request;
    request += "GET " + address.target + " HTTP/1.1\r\n";
    request += "Host: " + address.hostField + "\r\n";
    request += "Connection: close\r\n";
    request += "Accept: */*\r\n";
    request += "\r\n";
    return request;
}
