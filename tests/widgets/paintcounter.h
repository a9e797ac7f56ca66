// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QObject>

namespace trek::test {

// Counts the paint events a widget receives, to tell a redraw from none.
class PaintCounter final : public QObject
{
public:
    explicit PaintCounter(QObject* watched) : QObject(watched)
    {
        watched->installEventFilter(this);
    }
    int count() const { return m_count; }
    void reset() { m_count = 0; }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++m_count;
        }
        return false;
    }

private:
    int m_count = 0;
};

} // namespace trek::test
