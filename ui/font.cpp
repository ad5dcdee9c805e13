#include "ui/font.h"

#include <QFont>

namespace kvd::ui {

QFont ToQFont(const Font& f, const QFont& base) {
    QFont q = base;
    if (!f.name.empty()) q.setFamily(QString::fromStdString(f.name));
    if (f.size > 0) q.setPointSize(f.size);
    q.setBold(f.bold);
    q.setItalic(f.italic);
    q.setUnderline(f.underline);
    q.setStrikeOut(f.strikeOut);
    return q;
}

Font FromQFont(const QFont& q, Color color, int charset) {
    Font f;
    f.name = q.family().toStdString();
    f.size = q.pointSize() > 0 ? q.pointSize() : 0;
    f.bold = q.bold();
    f.italic = q.italic();
    f.underline = q.underline();
    f.strikeOut = q.strikeOut();
    f.charset = charset;
    f.color = color;
    return f;
}

}  // namespace kvd::ui
