#pragma once

#include <QDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>
#include <array>

#include "qt/SurfaceQt.hpp"
#include "viewer/MontrePlan.hpp"

namespace vitrail::qt {

class VueMontrePlan;

// Has the toolkit's own texts (standard buttons, dialogs) speak French as the component's do.
// Once per process; false when the translations are not installed (they then stay English).
bool installeTraductions();

// The smallest rectangle of pixels that differ between two pictures; all of the new one when
// their size or format differ, empty when nothing changed.
QRect regionChangee(const QImage& avant, const QImage& apres);

// The control TracPlanOCX1: shows the backing image and forwards paint, mouse and keys.
class ZoneDessin : public QWidget {
  public:
    ZoneDessin(VueMontrePlan& vue, MontrePlan& modele, SurfaceQt& surface);

    // Asks for a repaint of what the last pass changed on screen, and of nothing else.
    void montreLeDessin();

  protected:
    void paintEvent(QPaintEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseDoubleClickEvent(QMouseEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void wheelEvent(QWheelEvent* evenement) override;

  private:
    VueMontrePlan& vue_;
    MontrePlan& modele_;
    SurfaceQt& surface_;
    bool peintureEnAttente_ = false;
    // The next paint only shows what the last pass drew.
    bool affichageSeul_ = false;
    // The picture on screen, to find what a pass changed.
    QImage affichee_;
    quint64 generationAffichee_ = 0;
};

// The viewer window: a modal dialog whose geometry comes from the toolkit-free window model;
// the widgets only forward their events to it.
class VueMontrePlan : public QDialog {
  public:
    VueMontrePlan(MontrePlan& modele, SurfaceQt& surface);
    ~VueMontrePlan() override;

    // After any event given to the model: bars, geometry and picture brought up to date.
    void apresEvenement();
    // The wheel scrolls as the bars' arrows do, a step a notch; with Ctrl it zooms as the + and
    // - buttons do.
    void molette(const QWheelEvent& evenement);

  protected:
    void resizeEvent(QResizeEvent* evenement) override;
    void moveEvent(QMoveEvent* evenement) override;
    void reject() override;

  private:
    // A scroll bar of the control whose moves go to the model's bar and its Change.
    QScrollBar* barre(Qt::Orientation sens, const QString& nom, BarreDefilement& modele,
                      void (Visionneuse::*change)());
    int pixels(double twips) const;
    double twips(int pixels) const;
    void place(QWidget& widget, const Controle& controle) const;
    void ajusteAuCadre();
    void appliqueGeometrie();
    void synchroniseBarres();
    void synchronise(QScrollBar& barre, BarreDefilement& modele, void (Visionneuse::*change)());

    MontrePlan& modele_;
    SurfaceQt& surface_;
    ZoneDessin* zone_;
    QScrollBar* hscroll_;
    QScrollBar* vscroll_;
    std::array<QPushButton*, 4> zoom_{};
    QPushButton* enregistre_;
    QWidget* cacheCarre_;
    QPushButton* echap_;
    quint64 dessinAffiche_ = 0;
    // The window's size is its outer size, frame included; the frame is known only once the
    // window manager has put it on.
    QSize tailleExterieure_;
    bool cadreConnu_ = false;
    // Wheels that turn by less than a notch (touchpads) add up to one.
    QPoint molette_;
};

}  // namespace vitrail::qt
