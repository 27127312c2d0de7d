// Print Plan, in a module of its own: Qt's print support is loaded with it
// when the player first prints, so the program starts without it.
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QWidget>

// Shows `text` in a print preview over `parent`, printed in `font` scaled
// down until it fits one page.
extern "C" Q_DECL_EXPORT void plavetPrintPreview(QWidget* parent, const QString* title,
                                                 const QString* text) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(*title);
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(*title);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, parent, [&](QPrinter* p) {
    QTextDocument document;
    QFont font("Monospace");
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(9);
    document.setDefaultFont(font);
    document.setPlainText(*text);
    const QRectF page = p->pageRect(QPrinter::DevicePixel);
    QPainter painter(p);
    // The document laid out at the page's width in points, then scaled to
    // the printer's pixels, and smaller still where it would run long.
    const double toPixels = p->resolution() / 72.0;
    document.setPageSize(QSizeF(page.width() / toPixels, 1e6));
    document.setTextWidth(page.width() / toPixels);
    const QSizeF size = document.size();
    const double fit = std::min(1.0, page.height() / toPixels / size.height());
    painter.scale(toPixels * fit, toPixels * fit);
    document.drawContents(&painter);
  });
  preview.exec();
}
