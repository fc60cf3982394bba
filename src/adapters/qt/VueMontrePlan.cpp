#include "qt/VueMontrePlan.hpp"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QTranslator>
#include <algorithm>
#include <cstring>
#include <utility>

namespace vitrail::qt {

namespace {

// Designed size of the window when the host gives none, in twips.
constexpr double LargeurConception = 12100;
constexpr double HauteurConception = 9400;

enum class Image { PleinePage, Imprime, Enregistre };

// The pictures of the three picture buttons, drawn rather than shipped.
QIcon icone(Image image) {
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.2));
    switch (image) {
        case Image::PleinePage:
            p.setBrush(Qt::white);
            p.drawRect(QRectF(3.5, 1.5, 11, 15));
            p.drawLine(QPointF(5.5, 5), QPointF(12.5, 5));
            p.drawLine(QPointF(5.5, 8), QPointF(12.5, 8));
            p.drawLine(QPointF(5.5, 11), QPointF(12.5, 11));
            break;
        case Image::Imprime:
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4.5, 1.5, 9, 5));
            p.setBrush(Qt::lightGray);
            p.drawRect(QRectF(1.5, 6.5, 15, 7));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4.5, 11.5, 9, 5));
            break;
        case Image::Enregistre:
            p.setBrush(QColor(40, 70, 140));
            p.drawRect(QRectF(1.5, 1.5, 15, 15));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4.5, 1.5, 9, 6));
            p.setBrush(Qt::lightGray);
            p.drawRect(QRectF(4.5, 10.5, 9, 6));
            break;
    }
    return QIcon(pixmap);
}

std::int16_t boutonSouris(Qt::MouseButton bouton) {
    switch (bouton) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        default:
            return 4;
    }
}

}  // namespace

bool installeTraductions() {
    static const bool installees = [] {
        // Lives as long as the application that uses it.
        auto* traducteur = new QTranslator(QCoreApplication::instance());
        if (!traducteur->load(QLocale(QLocale::French), QStringLiteral("qtbase"),
                              QStringLiteral("_"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete traducteur;
            return false;
        }
        return QCoreApplication::installTranslator(traducteur);
    }();
    return installees;
}

ZoneDessin::ZoneDessin(VueMontrePlan& vue, MontrePlan& modele, SurfaceQt& surface)
    : QWidget(&vue), vue_(vue), modele_(modele), surface_(surface) {
    setObjectName(QStringLiteral("TracPlanOCX1"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect regionChangee(const QImage& avant, const QImage& apres) {
    if (avant.size() != apres.size() || avant.format() != apres.format() || avant.depth() != 32) {
        return apres.rect();
    }
    const int largeur = apres.width();
    const auto octets = static_cast<std::size_t>(largeur) * 4;
    int haut = -1;
    int bas = -1;
    int gauche = largeur;
    int droite = -1;
    for (int y = 0; y < apres.height(); ++y) {
        const auto* a = reinterpret_cast<const quint32*>(avant.constScanLine(y));
        const auto* b = reinterpret_cast<const quint32*>(apres.constScanLine(y));
        if (std::memcmp(a, b, octets) == 0) continue;
        if (haut < 0) haut = y;
        bas = y;
        int x = 0;
        while (a[x] == b[x])
            ++x;
        gauche = std::min(gauche, x);
        x = largeur - 1;
        while (a[x] == b[x])
            --x;
        droite = std::max(droite, x);
    }
    if (haut < 0) return {};
    return QRect(QPoint(gauche, haut), QPoint(droite, bas));
}

void ZoneDessin::montreLeDessin() {
    const QImage& image = surface_.image();
    const QRect change = regionChangee(affichee_, image);
    // A deep copy: sharing the surface's picture would make its next pass copy it instead.
    affichee_ = image.copy();
    generationAffichee_ = surface_.generation();
    if (change.isEmpty()) {
        // Nothing to show: the next paint is the system's and runs a pass as usual.
        affichageSeul_ = false;
        return;
    }
    update(change);
}

void ZoneDessin::paintEvent(QPaintEvent* evenement) {
    const QImage& image = surface_.image();
    // A picture shown that is not the one kept: what is on screen is no longer known, the next
    // pass shows all of its own.
    if (surface_.generation() != generationAffichee_) affichee_ = QImage();
    const QRect zone = evenement->rect() & image.rect();
    if (!zone.isEmpty()) QPainter(this).drawImage(zone, image, zone);
    if (std::exchange(affichageSeul_, false)) return;
    // The pass runs after the paint event: it may open message boxes, which must not run
    // inside one.
    if (peintureEnAttente_) return;
    peintureEnAttente_ = true;
    QTimer::singleShot(0, this, [this] {
        peintureEnAttente_ = false;
        const auto avant = surface_.generation();
        modele_.visionneuse.UserControl_Paint();
        // Showing what this pass drew must not start another pass: on a slow display it would
        // come after the 0.1 s rule and redraw for ever.
        affichageSeul_ = surface_.generation() != avant;
        vue_.apresEvenement();
    });
}

void ZoneDessin::mousePressEvent(QMouseEvent* evenement) {
    modele_.visionneuse.UserControl_MouseDown(boutonSouris(evenement->button()));
    vue_.apresEvenement();
}

void ZoneDessin::mouseDoubleClickEvent(QMouseEvent* evenement) {
    // The first press of a double-click was its one MouseDown; the toolkit would make the
    // second press another.
    evenement->accept();
}

void ZoneDessin::keyPressEvent(QKeyEvent* evenement) {
    const QString texte = evenement->text();
    std::int16_t code =
        evenement->key() == Qt::Key_Escape
            ? Visionneuse::ToucheEchap
            : static_cast<std::int16_t>(texte.isEmpty() ? 0 : texte.at(0).unicode());
    if (code == 0) return QWidget::keyPressEvent(evenement);
    modele_.visionneuse.UserControl_KeyPress(code);
}

void ZoneDessin::wheelEvent(QWheelEvent* evenement) {
    vue_.molette(*evenement);
    evenement->accept();
}

VueMontrePlan::VueMontrePlan(MontrePlan& modele, SurfaceQt& surface)
    : modele_(modele), surface_(surface) {
    setObjectName(QStringLiteral("MontrePlan"));
    setWindowTitle(versQString(modele.Caption));
    echap_ = new QPushButton(this);
    echap_->setObjectName(QStringLiteral("BoutonEscape"));
    echap_->setFixedSize(1, 1);
    echap_->setFlat(true);
    connect(echap_, &QPushButton::clicked, this, [this] { modele_.BoutonEscape_Click(); });

    zone_ = new ZoneDessin(*this, modele, surface);
    TracPlanOCX& ctl = modele.TracPlanOCX1;
    hscroll_ = barre(Qt::Horizontal, QStringLiteral("HScroll1"), ctl.HScroll1,
                     &Visionneuse::HScroll1_Change);
    vscroll_ = barre(Qt::Vertical, QStringLiteral("VScroll1"), ctl.VScroll1,
                     &Visionneuse::VScroll1_Change);

    const char* const bulles[] = {"Agrandir l'image", "Réduire l'image", "Pleine page", "Imprime"};
    QFont legende(QStringLiteral("Arial"));
    legende.setPointSizeF(14.25);
    legende.setBold(true);
    for (std::int16_t i = 0; i < 4; ++i) {
        zoom_[i] = new QPushButton(zone_);
        zoom_[i]->setObjectName(QStringLiteral("cmdZoom%1").arg(i));
        zoom_[i]->setToolTip(QString::fromUtf8(bulles[i]));
        zoom_[i]->setFont(legende);
        zoom_[i]->setFocusPolicy(Qt::NoFocus);
        // Other buttons than the left one are the button's own, not a click on the drawing.
        zoom_[i]->setAttribute(Qt::WA_NoMousePropagation);
        connect(zoom_[i], &QPushButton::clicked, this, [this, i] {
            modele_.visionneuse.cmdZoom_Click(i);
            apresEvenement();
        });
    }
    zoom_[0]->setText(QStringLiteral("+"));
    zoom_[1]->setText(QStringLiteral("-"));
    zoom_[2]->setIcon(icone(Image::PleinePage));
    zoom_[3]->setIcon(icone(Image::Imprime));
    enregistre_ = new QPushButton(zone_);
    enregistre_->setObjectName(QStringLiteral("cmdEnregistre"));
    enregistre_->setToolTip(QStringLiteral("Enregistre au format HTML"));
    enregistre_->setIcon(icone(Image::Enregistre));
    enregistre_->setFocusPolicy(Qt::NoFocus);
    enregistre_->setAttribute(Qt::WA_NoMousePropagation);
    connect(enregistre_, &QPushButton::clicked, this, [this] {
        modele_.visionneuse.cmdEnregistre_Click();
        apresEvenement();
    });
    cacheCarre_ = new QWidget(zone_);
    cacheCarre_->setObjectName(QStringLiteral("CacheCarre"));
    cacheCarre_->setAutoFillBackground(true);
    cacheCarre_->setAttribute(Qt::WA_NoMousePropagation);

    modele.fermeVue = [this] { QDialog::reject(); };
    const Controle taille = modele.placement.value_or(
        Controle{.Width = LargeurConception, .Height = HauteurConception});
    tailleExterieure_ =
        QSize(std::max(pixels(taille.Width), 1), std::max(pixels(taille.Height), 1));
    resize(tailleExterieure_);
    if (modele.placement) move(pixels(taille.Left), pixels(taille.Top));
    zone_->setFocus();
}

VueMontrePlan::~VueMontrePlan() {
    modele_.fermeVue = nullptr;
}

QScrollBar* VueMontrePlan::barre(Qt::Orientation sens, const QString& nom, BarreDefilement& modele,
                                 void (Visionneuse::*change)()) {
    auto* barre = new QScrollBar(sens, zone_);
    barre->setObjectName(nom);
    barre->setAttribute(Qt::WA_NoMousePropagation);
    // The bar has no menu, and its Change comes once the thumb is let go.
    barre->setContextMenuPolicy(Qt::NoContextMenu);
    barre->setTracking(false);
    connect(barre, &QScrollBar::valueChanged, this, [this, &modele, change](int valeur) {
        modele.Value = static_cast<std::int16_t>(valeur);
        (modele_.visionneuse.*change)();
        apresEvenement();
    });
    return barre;
}

int VueMontrePlan::pixels(double t) const {
    return static_cast<int>(std::lround(t * surface_.pointsParPouce() / TwipsParPouce));
}

double VueMontrePlan::twips(int p) const {
    return p * TwipsParPouce / surface_.pointsParPouce();
}

void VueMontrePlan::place(QWidget& widget, const Controle& c) const {
    widget.setGeometry(pixels(c.Left), pixels(c.Top), pixels(c.Width), pixels(c.Height));
}

void VueMontrePlan::ajusteAuCadre() {
    if (cadreConnu_) return;
    const QSize cadre = frameGeometry().size() - size();
    if (cadre.isNull()) return;
    cadreConnu_ = true;
    resize((tailleExterieure_ - cadre).expandedTo(QSize(1, 1)));
}

void VueMontrePlan::moveEvent(QMoveEvent* evenement) {
    QDialog::moveEvent(evenement);
    ajusteAuCadre();
}

void VueMontrePlan::resizeEvent(QResizeEvent* evenement) {
    QDialog::resizeEvent(evenement);
    ajusteAuCadre();
    const QSize exterieur = frameGeometry().size();
    modele_.Form_Resize(twips(exterieur.width()), twips(exterieur.height()));
    apresEvenement();
}

void VueMontrePlan::reject() {
    // Escape anywhere in the window, the cancel button, or the window's close box.
    if (!modele_.decharge) modele_.BoutonEscape_Click();
    if (!modele_.decharge) return;
    QDialog::reject();
}

void VueMontrePlan::appliqueGeometrie() {
    const TracPlanOCX& ctl = modele_.TracPlanOCX1;
    zone_->setGeometry(pixels(modele_.gaucheControle), pixels(modele_.hautControle),
                       pixels(surface_.Width()), pixels(surface_.Height()));
    echap_->move(0, zone_->geometry().bottom() + 1);
    place(*hscroll_, ctl.HScroll1);
    place(*vscroll_, ctl.VScroll1);
    for (std::size_t i = 0; i < zoom_.size(); ++i)
        place(*zoom_[i], modele_.visionneuse.cmdZoom[i]);
    place(*enregistre_, modele_.visionneuse.cmdEnregistre);
    place(*cacheCarre_, modele_.visionneuse.CacheCarré);
}

void VueMontrePlan::synchronise(QScrollBar& barre, BarreDefilement& modele,
                                void (Visionneuse::*change)()) {
    // Lowering the maximum below the value moves the value, as the bar's own Change would.
    const bool deplacee = modele.Value > modele.Max;
    if (deplacee) modele.Value = modele.Max;
    {
        const QSignalBlocker bloque(barre);
        barre.setRange(std::min<int>(modele.Min, modele.Max),
                       std::max<int>(modele.Min, modele.Max));
        // A thumb the user holds stays under the pointer: its value comes when it is let go.
        if (!barre.isSliderDown()) barre.setValue(modele.Value);
    }
    if (deplacee) (modele_.visionneuse.*change)();
}

void VueMontrePlan::synchroniseBarres() {
    TracPlanOCX& ctl = modele_.TracPlanOCX1;
    synchronise(*hscroll_, ctl.HScroll1, &Visionneuse::HScroll1_Change);
    synchronise(*vscroll_, ctl.VScroll1, &Visionneuse::VScroll1_Change);
}

void VueMontrePlan::molette(const QWheelEvent& evenement) {
    constexpr int Cran = 120;  // a notch, in eighths of a degree
    QPoint angle = evenement.angleDelta();
    // Shift turns the wheel across, as in most viewers.
    if (evenement.modifiers() & Qt::ShiftModifier) angle = angle.transposed();
    molette_ += angle;
    const int crans = molette_.y() / Cran;
    const int cransTravers = molette_.x() / Cran;
    molette_ -= QPoint(cransTravers, crans) * Cran;
    if (evenement.modifiers() & Qt::ControlModifier) {
        for (int i = 0; i < std::abs(crans) && !modele_.decharge; ++i) {
            modele_.visionneuse.cmdZoom_Click(crans > 0 ? 0 : 1);
            apresEvenement();
        }
        return;
    }
    // Each step is the bar's own arrow step, so its Change reaches the model as a click would.
    const auto defile = [](QScrollBar& barre, int n) {
        for (int i = 0; i < std::abs(n); ++i)
            barre.triggerAction(n > 0 ? QAbstractSlider::SliderSingleStepSub
                                      : QAbstractSlider::SliderSingleStepAdd);
    };
    defile(*vscroll_, crans);
    defile(*hscroll_, cransTravers);
}

void VueMontrePlan::apresEvenement() {
    if (modele_.decharge) return;
    appliqueGeometrie();
    synchroniseBarres();
    if (surface_.generation() != dessinAffiche_) {
        dessinAffiche_ = surface_.generation();
        zone_->montreLeDessin();
    }
}

}  // namespace vitrail::qt
