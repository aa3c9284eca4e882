#include "shell/UpdateFeed.h"

#include "base/LogCategories.h"

#include <QHostAddress>
#include <QXmlStreamReader>

namespace UpdateFeed {

namespace {

struct ItemFields {
    QString version;      // the version users see
    QString buildVersion; // the machine version, used when no short version is given
    QString link;
    QString enclosure;

    std::optional<UpdateRelease> release() const {
        const QString text = version.isEmpty() ? buildVersion : version;
        const QVersionNumber number = QVersionNumber::fromString(text.trimmed());
        const QUrl url(enclosure.isEmpty() ? link.trimmed() : enclosure.trimmed());
        // The link opens in the desktop's handler: only a web page, never a local file or a
        // program's own scheme.
        const bool web = url.scheme() == u"https" || url.scheme() == u"http";
        if (number.isNull() || !url.isValid() || !web || url.host().isEmpty()) {
            qCDebug(lcUpdate) << "skipped a feed item: version" << text << "link" << url;
            return std::nullopt;
        }
        return UpdateRelease{text.trimmed(), number, url};
    }
};

bool isVersionName(QStringView name) {
    return name == u"shortVersionString";
}

ItemFields readItem(QXmlStreamReader& xml) {
    ItemFields fields;
    while (xml.readNextStartElement()) {
        const QStringView name = xml.name();
        if (name == u"enclosure") {
            const auto attributes = xml.attributes();
            fields.enclosure = attributes.value(QLatin1String("url")).toString();
            for (const auto& attribute : attributes) {
                if (isVersionName(attribute.name()) && fields.version.isEmpty())
                    fields.version = attribute.value().toString();
                else if (attribute.name() == u"version" && fields.buildVersion.isEmpty())
                    fields.buildVersion = attribute.value().toString();
            }
            xml.skipCurrentElement();
        } else if (isVersionName(name)) {
            fields.version = xml.readElementText();
        } else if (name == u"version") {
            fields.buildVersion = xml.readElementText();
        } else if (name == u"link") {
            fields.link = xml.readElementText();
        } else {
            xml.skipCurrentElement();
        }
    }
    return fields;
}

} // namespace

std::optional<UpdateRelease> newest(const QByteArray& rss) {
    QXmlStreamReader xml(rss);
    std::optional<UpdateRelease> best;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"item") {
            const auto release = readItem(xml).release();
            if (release && (!best || release->version > best->version))
                best = release;
        }
    }
    if (xml.hasError()) {
        qCDebug(lcUpdate) << "the feed isn't well-formed:" << xml.errorString() << "at line"
                          << xml.lineNumber();
        return std::nullopt;
    }
    return best;
}

bool isAllowedFeed(const QUrl& url) {
    if (!url.isValid() || url.host().isEmpty())
        return false;
    if (url.scheme() == u"https")
        return true;
    if (url.scheme() != u"http")
        return false;
    if (url.host() == u"localhost")
        return true;
    const QHostAddress address(url.host());
    return !address.isNull() && address.isLoopback();
}

} // namespace UpdateFeed
