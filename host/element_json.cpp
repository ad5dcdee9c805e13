#include "host/element_json.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <charconv>
#include <cstdio>
#include <cstring>

#include "host/library_loader.h"

namespace kvdhost {

using kvd::TTempElement;

namespace {

std::string Num(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string Num(float v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

}  // namespace

std::string HexBytes(const void* data, std::size_t n) {
    static const char* digits = "0123456789abcdef";
    std::string s;
    const auto* b = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < n; ++i) {
        s += digits[b[i] >> 4];
        s += digits[b[i] & 15];
    }
    return s;
}

std::vector<TTempElement> ElementsOf(const TTempElement* head) {
    std::vector<TTempElement> v;
    for (const TTempElement* e = head; e; e = e->Next) v.push_back(*e);
    return v;
}

std::string ElementListToJson(const std::vector<TTempElement>& elements) {
    std::string out = "[";
    bool first = true;
    for (const TTempElement& el : elements) {
        const TTempElement* e = &el;
        out += first ? "\n" : ",\n";
        first = false;
        unsigned code = kvd::KindCode(e->Kind);
        out += "  {\"Kind\": " + std::to_string(e->Kind);
        out += ", \"Code\": " + std::to_string(code);
        out += ", \"Class\": " + std::to_string(kvd::KindClass(e->Kind));
        out += ", \"Param\": " + std::to_string(e->Param);
        out += ", \"ColorR\": " + std::to_string(e->ColorR);
        out += ", \"ColorG\": " + std::to_string(e->ColorG);
        out += ", \"ColorB\": " + std::to_string(e->ColorB);
        out += ", \"Slot\": " + std::to_string(e->Slot);
        out += ", \"X\": " + Num(e->X.ToDouble());
        out += ", \"Y\": " + Num(e->Y.ToDouble());
        out += ", \"Z\": " + Num(e->Z.ToDouble());
        out += ", \"Bulge\": " + Num(code == kvd::ecStart ? 0.0 : e->Bulge.ToDouble());
        if (code == kvd::ecStart && !kvd::IsNonGeometricKind(e->Kind))
            out += ", \"ColorIndex\": " + std::to_string(e->ColorIndex());
        out += ", \"Correction\": " + Num(e->Correction);
        out += ", \"Inclination\": " + Num(e->Inclination);
        out += ", \"Aux\": " + Num(e->Aux);
        out += ", \"Flags\": " + std::to_string(e->Flags);
        out += ", \"Flags2\": " + std::to_string(e->Flags2);
        out += ", \"Extra50\": " + std::to_string(e->Extra50);
        out += ", \"Extra51\": " + std::to_string(e->Extra51);
        out += ", \"Link\": " + std::to_string(e->Link);
        out += ", \"Raw\": \"" + HexBytes(e, sizeof *e) + "\"}";
    }
    out += first ? "]\n" : "\n]\n";
    return out;
}

std::vector<TTempElement> ElementsFromJson(const std::string& json) {
    QJsonParseError err{};
    QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &err);
    if (err.error != QJsonParseError::NoError)
        throw HostError("not a JSON element list: " + err.errorString().toStdString() + " at offset " +
                        std::to_string(err.offset));
    if (!doc.isArray()) throw HostError("not a JSON element list: the document is not an array");
    std::vector<TTempElement> out;
    const QJsonArray arr = doc.array();
    for (qsizetype i = 0; i < arr.size(); ++i) {
        const std::string where = "element " + std::to_string(i) + ": ";
        if (!arr[i].isObject()) throw HostError(where + "not an object");
        QJsonObject o = arr[i].toObject();
        TTempElement e{};
        if (o.contains("Raw")) {
            QByteArray raw = QByteArray::fromHex(o.value("Raw").toString().toLatin1());
            if (raw.size() != 64) throw HostError(where + "Raw must hold 64 bytes in hexadecimal");
            std::memcpy(static_cast<void*>(&e), raw.constData(), 64);
            e.Next = nullptr;
            e.Prev = nullptr;
        } else {
            auto u = [&](const char* k, double max) {
                double v = o.value(k).toDouble(0);
                if (v < 0 || v > max) throw HostError(where + k + " out of range");
                return v;
            };
            e.Kind = static_cast<std::uint16_t>(u("Kind", 65535));
            e.Param = static_cast<std::uint16_t>(u("Param", 65535));
            e.ColorR = static_cast<std::uint8_t>(u("ColorR", 255));
            e.ColorG = static_cast<std::uint8_t>(u("ColorG", 255));
            e.ColorB = static_cast<std::uint8_t>(u("ColorB", 255));
            e.Slot = static_cast<std::uint8_t>(u("Slot", 255));
            e.X = o.value("X").toDouble(0);
            e.Y = o.value("Y").toDouble(0);
            e.Z = o.value("Z").toDouble(0);
            e.Bulge = o.value("Bulge").toDouble(0);
            if (kvd::KindCode(e.Kind) == kvd::ecStart && o.contains("ColorIndex"))
                e.SetColorIndex(static_cast<std::uint8_t>(u("ColorIndex", 255)));
            e.Correction = static_cast<float>(o.value("Correction").toDouble(0));
            e.Inclination = static_cast<float>(o.value("Inclination").toDouble(0));
            e.Aux = static_cast<float>(o.value("Aux").toDouble(0));
            e.Flags = static_cast<std::uint32_t>(u("Flags", 4294967295.0));
            e.Flags2 = static_cast<std::uint16_t>(u("Flags2", 65535));
            e.Extra50 = static_cast<std::uint8_t>(u("Extra50", 255));
            e.Extra51 = static_cast<std::uint8_t>(u("Extra51", 255));
            e.Link = static_cast<std::uint32_t>(u("Link", 4294967295.0));
        }
        out.push_back(e);
    }
    return out;
}

}  // namespace kvdhost
