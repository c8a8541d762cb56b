#pragma once

#include "gui/shell/RecordPages.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <memory>

namespace ondal::test {

// A page that keeps what is written on it rather than pixels: each text
// with the page it went on and where, and how far down anything at all was
// drawn, in device units at 300 dots per inch. newPage() starts the next page.
class TextRecorder final : public QPaintDevice
{
public:
    struct Text
    {
        int page;
        QString text;
        QPointF at; // the baseline's start
    };

    // By default an A4 page's printable area at 300 dots per inch, 15 mm
    // margins.
    explicit TextRecorder(qreal width = 2126, qreal height = 3154)
        : m_size(width, height), m_engine(new Engine(this))
    {}

    QPaintEngine *paintEngine() const override { return m_engine.get(); }
    bool newPage()
    {
        ++page;
        return true;
    }

    // Paints a record over the whole of each page, going on to the next as
    // the record asks; returns the pages the record says it took.
    int paint(const RecordPainter &record)
    {
        QPainter painter(this);
        const int used = record(painter, QRectF(QPointF(), m_size), [this] { return newPage(); });
        painter.end();
        return used;
    }

    // Every text written, in order, a blank between and runs of blanks as
    // one: what a reader finds on paper.
    QString written() const
    {
        QString all;
        for (const Text &text : texts)
            all += text.text + u' ';
        return all.simplified();
    }

    QList<Text> texts;
    int page = 1;
    qreal lowest = 0; // the lowest point drawn on any page

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return int(m_size.width());
        case PdmHeight:
            return int(m_size.height());
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 300;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class Engine final : public QPaintEngine
    {
    public:
        explicit Engine(TextRecorder *device) : QPaintEngine(AllFeatures), m_device(device) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &state) override
        {
            if (state.state() & DirtyTransform)
                m_transform = state.transform();
        }
        void drawPixmap(const QRectF &r, const QPixmap &, const QRectF &) override { note(r); }
        void drawPath(const QPainterPath &path) override { note(path.boundingRect()); }
        void drawPolygon(const QPointF *points, int count, PolygonDrawMode) override
        {
            QPolygonF polygon;
            for (int i = 0; i < count; ++i)
                polygon << points[i];
            note(polygon.boundingRect());
        }
        void drawTextItem(const QPointF &p, const QTextItem &item) override
        {
            m_device->texts << Text{m_device->page, item.text(), m_transform.map(p)};
            note(QRectF(p, QSizeF(1, item.descent())));
        }
        Type type() const override { return User; }

    private:
        void note(const QRectF &r)
        {
            m_device->lowest = std::max(m_device->lowest, m_transform.mapRect(r).bottom());
        }
        TextRecorder *m_device;
        QTransform m_transform;
    };

    QSizeF m_size;
    std::unique_ptr<Engine> m_engine;
};

} // namespace ondal::test
