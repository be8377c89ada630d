#include "ScormPackage.h"

#include <zip.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QXmlStreamWriter>
#include <memory>
#include <utility>
#include <vector>

#include "WebPage.h"

namespace sopaly {
namespace {

QString identifier(const QString& title) {
    // A package uploaded again under the same title keeps its identity.
    return QStringLiteral("sopaly-") +
           QString::fromLatin1(
               QCryptographicHash::hash(title.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

constexpr zip_uint32_t kReadableByAll = 0100644;  // a regular file, rw-r--r--

struct SourceCloser {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, SourceCloser>;

// The bytes a closed archive left in its in-memory source.
QByteArray sourceBytes(zip_source_t* source) {
    if (zip_source_open(source) < 0) return {};
    QByteArray bytes;
    if (zip_source_seek(source, 0, SEEK_END) == 0) {
        const zip_int64_t size = zip_source_tell(source);
        if (size > 0 && zip_source_seek(source, 0, SEEK_SET) == 0) {
            bytes.resize(static_cast<qsizetype>(size));
            if (zip_source_read(source, bytes.data(), static_cast<zip_uint64_t>(size)) != size) {
                bytes.clear();
            }
        }
    }
    zip_source_close(source);
    return bytes;
}

// A zip of `files` (name, bytes), built in memory; empty on any failure.
QByteArray zipInMemory(const std::vector<std::pair<QString, QByteArray>>& files) {
    zip_error_t error;
    zip_error_init(&error);
    Source buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    zip_t* archive = buffer ? zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) return {};
    // The archive frees its source when it closes; the bytes stay in it.
    zip_source_keep(buffer.get());
    bool added = true;
    for (const auto& [name, bytes] : files) {
        // The bytes outlive the archive, which reads them when it closes.
        zip_source_t* file = zip_source_buffer(archive, bytes.constData(),
                                               static_cast<zip_uint64_t>(bytes.size()), 0);
        const zip_int64_t index =
            file ? zip_file_add(archive, name.toUtf8().constData(), file, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(file);
            added = false;
            break;
        }
        // Read by all, as a file the platform unpacks and serves.
        zip_file_set_external_attributes(archive, static_cast<zip_uint64_t>(index), 0,
                                         ZIP_OPSYS_UNIX, kReadableByAll << 16);
    }
    if (!added) {
        zip_discard(archive);
        return {};
    }
    if (zip_close(archive) < 0) {
        zip_discard(archive);
        return {};
    }
    return sourceBytes(buffer.get());
}

}  // namespace

QByteArray scormManifest(const QString& title, const QString& page) {
    QByteArray xml;
    QXmlStreamWriter out(&xml);
    out.setAutoFormatting(true);
    out.writeStartDocument();
    out.writeStartElement(QStringLiteral("manifest"));
    out.writeAttribute(QStringLiteral("identifier"), identifier(title));
    out.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    out.writeDefaultNamespace(QStringLiteral("http://www.imsproject.org/xsd/imscp_rootv1p1p2"));
    out.writeNamespace(QStringLiteral("http://www.adlnet.org/xsd/adlcp_rootv1p2"),
                       QStringLiteral("adlcp"));
    out.writeStartElement(QStringLiteral("metadata"));
    out.writeTextElement(QStringLiteral("schema"), QStringLiteral("ADL SCORM"));
    out.writeTextElement(QStringLiteral("schemaversion"), QStringLiteral("1.2"));
    out.writeEndElement();
    out.writeStartElement(QStringLiteral("organizations"));
    out.writeAttribute(QStringLiteral("default"), QStringLiteral("sopaly-organization"));
    out.writeStartElement(QStringLiteral("organization"));
    out.writeAttribute(QStringLiteral("identifier"), QStringLiteral("sopaly-organization"));
    out.writeTextElement(QStringLiteral("title"), title);
    out.writeStartElement(QStringLiteral("item"));
    out.writeAttribute(QStringLiteral("identifier"), QStringLiteral("sopaly-item"));
    out.writeAttribute(QStringLiteral("identifierref"), QStringLiteral("sopaly-page"));
    out.writeTextElement(QStringLiteral("title"), title);
    out.writeEndElement();  // item
    out.writeEndElement();  // organization
    out.writeEndElement();  // organizations
    out.writeStartElement(QStringLiteral("resources"));
    out.writeStartElement(QStringLiteral("resource"));
    out.writeAttribute(QStringLiteral("identifier"), QStringLiteral("sopaly-page"));
    out.writeAttribute(QStringLiteral("type"), QStringLiteral("webcontent"));
    out.writeAttribute(QStringLiteral("http://www.adlnet.org/xsd/adlcp_rootv1p2"),
                       QStringLiteral("scormtype"), QStringLiteral("sco"));
    out.writeAttribute(QStringLiteral("href"), page);
    out.writeEmptyElement(QStringLiteral("file"));
    out.writeAttribute(QStringLiteral("href"), page);
    out.writeEndDocument();
    return xml;
}

QString scormNotMadeMessage(const QString& path) {
    return QCoreApplication::translate("ScormPackage", "No se pudo crear el paquete %1.")
        .arg(QDir::toNativeSeparators(path));
}

QByteArray scormPackage(const WorksheetPuzzle& puzzle) {
    return zipInMemory(
        {{QStringLiteral("imsmanifest.xml"), scormManifest(puzzle.title, kScormPage)},
         {kScormPage, webPage(puzzle, WebPageKind::Scorm)}});
}

}  // namespace sopaly
