#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

// Stands in for the browser while it lives: every address the program hands to the desktop for
// one of the given schemes is recorded instead of opened.
class BrowserCatcher final : public QObject
{
    Q_OBJECT

public:
    explicit BrowserCatcher(const QStringList &schemes = {QStringLiteral("http"), QStringLiteral("https")});
    ~BrowserCatcher() override;

    QList<QUrl> urls;

public slots:
    void open(const QUrl &url);

private:
    QStringList m_schemes;
};
