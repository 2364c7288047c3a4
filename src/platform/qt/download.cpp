#include "platform/qt/download.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

namespace lumivane {

bool download(const std::u16string& url, std::string& data, std::int32_t timeout_milliseconds) {
    data.clear();
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(QString::fromStdU16String(url)));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // A redirect may move within the server, never to another host, port or scheme.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::SameOriginRedirectPolicy);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    const std::unique_ptr<QNetworkReply> reply(manager.get(request));

    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    bool too_large = false;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64 total) {
        if (received > download_limit || total > download_limit) {
            too_large = true;
            loop.quit();
        }
    });
    deadline.start(timeout_milliseconds);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);

    const bool failed = too_large || !reply->isFinished() || reply->error() != QNetworkReply::NoError;
    if (!reply->isFinished()) {
        reply->disconnect(&loop);
        reply->abort();
    }
    if (failed) return true;
    const QByteArray bytes = reply->readAll();
    if (bytes.size() > download_limit) return true;
    data.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return false;
}

}  // namespace lumivane
