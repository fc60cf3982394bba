#pragma once

#include <QPaintDevice>
#include <QSize>
#include <memory>
#include <string>

#include "platform/Surface.hpp"

namespace vitrail::qt {

class MoteurHtml5;

// A paint device that turns what is drawn on it into a standards-mode HTML page: every text run
// at the place and size it was drawn, in the font it was measured in, boxes and fills as
// positioned blocks, pictures as data URLs. The browser then shows the lines that were laid out
// here instead of wrapping the text again.
class PageHtml5 : public QPaintDevice {
  public:
    PageHtml5(QSize pixels, double pointsParPouce);
    ~PageHtml5() override;
    PageHtml5(const PageHtml5&) = delete;
    PageHtml5& operator=(const PageHtml5&) = delete;

    QPaintEngine* paintEngine() const override;
    // The whole page, UTF-8.
    std::string document(const PageImage& page) const;

  protected:
    int metric(PaintDeviceMetric mesure) const override;

  private:
    QSize pixels_;
    double dpi_;
    std::unique_ptr<MoteurHtml5> moteur_;
};

}  // namespace vitrail::qt
