#include "render/SurfaceControle.hpp"

#include "render/TracPlanOCX.hpp"
#include "support/Conversions.hpp"

namespace vitrail {

// Positions written on the control are Longs: they are rounded on the way in.
double SurfaceControle::CurrentX() const {
    return controle_.CurrentX();
}
void SurfaceControle::CurrentX(double x) {
    controle_.CurrentX(CLng(x));
}
double SurfaceControle::CurrentY() const {
    return controle_.CurrentY();
}
void SurfaceControle::CurrentY(double y) {
    controle_.CurrentY(CLng(y));
}

double SurfaceControle::TextWidth(const Texte& texte) {
    return controle_.TextWidth(texte);
}
double SurfaceControle::TextHeight(const Texte& texte) {
    return controle_.TextHeight(texte);
}

}  // namespace vitrail
