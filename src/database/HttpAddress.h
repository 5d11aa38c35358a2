#pragma once
// Addresses of element files on an element-set server, as typed in the download window or
// sent back by the server in a redirect, reduced to what one HTTP/1.1 GET needs.

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

inline constexpr quint16 kHttpPort = 80;
inline constexpr quint16 kHttpsPort = 443;

/// Where one GET goes and what it asks for.
struct HttpAddress
{
    QUrl url;         ///< the whole address, base for resolving a redirect
    bool tls = false; ///< true for https: the connection is encrypted
    QString host;     ///< host name or IP address to connect to
    quint16 port = kHttpPort;
    QByteArray hostField; ///< value of the request's "Host" line: host, and port when given
    QByteArray target;    ///< request target: percent-encoded path and query, "/" at least
};

/// Address typed by the user: a host, optionally preceded by "http://" or "https://" (any
/// letter case) and followed by ":port", then the path; without a path the root "/" is
/// fetched. Blanks around the text are ignored. Empty for an empty text, a scheme other than
/// http and https, or a malformed host or port.
[[nodiscard]] std::optional<HttpAddress> parseHttpAddress(const QString& typed);

/// The address a redirect's "Location" value names, which may be absolute, scheme-relative
/// ("//host/path"), an absolute path or a relative path, resolved against the address that
/// answered. Empty when it leads to a scheme other than http and https, or from https to http.
[[nodiscard]] std::optional<HttpAddress> resolveRedirect(const HttpAddress& from,
                                                         const QByteArray& location);

/// Whether a redirect's "Location" value leads a download begun encrypted (https) to a plain
/// http address, which resolveRedirect refuses.
[[nodiscard]] bool redirectLeavesEncryption(const HttpAddress& from, const QByteArray& location);

/// The bytes of the one GET request: request line, Host, "Connection: close" (the reply
/// ends when the server closes) and "Accept: */*".
[[nodiscard]] QByteArray httpGetRequest(const HttpAddress& address);
