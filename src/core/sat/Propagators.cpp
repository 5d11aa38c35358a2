// Element conversion, model choice and the initialised propagator of one element set.

#include "core/mMate.h"
#include "core/sat/Sgp4Model.h"

#include <cmath>
#include <memory>
#include <type_traits>
#include <variant>

namespace mSat {

namespace {

constexpr double kMinutesPerDay = 1440.0;

using AnyModel =
    std::variant<detail::Plan13Model, detail::SgpModel, detail::Sgp4Model, detail::Sdp4Model>;

/// The status an element set is refused with, or Ok.
Status elementStatus(const PropagationElements& el)
{
    const double values[] = {el.XMO, el.XNODEO, el.OMEGAO, el.EO,    el.XINCL,
                             el.XNO, el.XNDT2O, el.XNDD6O, el.BSTAR, el.Epoca};
    for (double v : values) {
        if (!std::isfinite(v))
            return Status::NumberNotFinite;
    }
    if (!(el.XNO > 0.0))
        return Status::MeanMotionNotPositive;
    if (!(el.EO >= 0.0 && el.EO < 1.0))
        return Status::EccentricityOutOfRange;
    return Status::Ok;
}

AnyModel makeModel(const PropagationElements& el, PropagatorModel model, bool deepSpace)
{
    switch (model) {
    case PropagatorModel::Plan13:
        return detail::Plan13Model(el);
    case PropagatorModel::Sgp:
        return detail::SgpModel(el);
    case PropagatorModel::Sgp4Sdp4:
        if (deepSpace)
            return detail::Sdp4Model(el);
        return detail::Sgp4Model(el);
    case PropagatorModel::Sgp4:
        break;
    }
    return detail::Sgp4Model(el);
}

} // namespace

struct SatellitePropagator::Model
{
    PropagationElements elements;
    Status status = Status::Ok; ///< Ok, or why the element set was refused
    MeanMotionRecovery recovery;
    PropagatorModel runModel = PropagatorModel::Sgp4;
    std::variant<std::monostate, detail::Plan13Model, detail::SgpModel, detail::Sgp4Model,
                 detail::Sdp4Model>
        model;
};

Status validateElements(const Elemento_satellite& elements)
{
    return elementStatus(toPropagationElements(elements));
}

PropagationElements toPropagationElements(const Elemento_satellite& s)
{
    PropagationElements el;
    el.XMO = s.Anomalia_media * mMate::kDegToRad;
    el.XNODEO = s.Raan * mMate::kDegToRad;
    el.OMEGAO = s.Argomento_perigeo * mMate::kDegToRad;
    el.EO = s.Eccentricita;
    el.XINCL = s.Inclinazione * mMate::kDegToRad;
    el.XNO = s.Moto_medio * mMate::kTwoPi / kMinutesPerDay;
    el.XNDT2O = s.Derivata_prima * mMate::kTwoPi / (kMinutesPerDay * kMinutesPerDay);
    el.XNDD6O = s.Derivata_seconda * std::pow(10.0, s.Esponente_derivata_seconda) * mMate::kTwoPi /
                (kMinutesPerDay * kMinutesPerDay * kMinutesPerDay);
    el.BSTAR = s.Bstar * std::pow(10.0, s.Esponente_bstar);
    el.Epoca = s.Epoca_giuliana;
    return el;
}

MeanMotionRecovery recoverMeanMotion(const PropagationElements& elements)
{
    return detail::recover(elements);
}

PropagatorModel propagatorModel(std::int16_t propagatore)
{
    if (propagatore < 0 || propagatore > 3)
        return PropagatorModel::Sgp4;
    return static_cast<PropagatorModel>(propagatore);
}

SatellitePropagator::SatellitePropagator(const PropagationElements& elements, PropagatorModel model)
{
    auto m = std::make_shared<Model>();
    m->elements = elements;
    m->status = elementStatus(elements);
    if (m->status == Status::Ok) {
        m->recovery = detail::recover(elements);
        const bool deep = model == PropagatorModel::Sgp4Sdp4 && m->recovery.deepSpace;
        m->runModel = model == PropagatorModel::Sgp4Sdp4 && !deep ? PropagatorModel::Sgp4 : model;
        std::visit([&m](auto&& built) { m->model = std::move(built); },
                   makeModel(elements, model, deep));
    }
    m_model = std::move(m);
}

PropagationResult SatellitePropagator::propagate(double tsince) const
{
    PropagationResult refused;
    if (m_model->status != Status::Ok) {
        refused.status = m_model->status;
        return refused;
    }
    // Guard: a time that is not a number would make the resonance integration endless.
    if (!std::isfinite(tsince)) {
        refused.status = Status::NoFiniteResult;
        return refused;
    }
    return std::visit(
        [this, tsince](const auto& model) -> PropagationResult {
            using Type = std::decay_t<decltype(model)>;
            if constexpr (std::is_same_v<Type, std::monostate>)
                return PropagationResult{Status::NoFiniteResult, {}};
            else if constexpr (std::is_same_v<Type, detail::Sdp4Model>)
                return model.propagate(tsince, &m_resonance);
            else
                return model.propagate(tsince);
        },
        m_model->model);
}

Status SatellitePropagator::status() const
{
    return m_model->status;
}

PropagatorModel SatellitePropagator::runModel() const
{
    return m_model->runModel;
}

const PropagationElements& SatellitePropagator::elements() const
{
    return m_model->elements;
}

const MeanMotionRecovery& SatellitePropagator::recovery() const
{
    return m_model->recovery;
}

namespace {

/// One call of one model, initialisation included.
template <typename ModelType>
PropagationResult propagateOnce(const PropagationElements& elements, double tsince)
{
    const Status status = elementStatus(elements);
    if (status != Status::Ok)
        return PropagationResult{status, {}};
    if (!std::isfinite(tsince))
        return PropagationResult{Status::NoFiniteResult, {}};
    return ModelType(elements).propagate(tsince);
}

} // namespace

PropagationResult Propaga_plan13(const PropagationElements& elements, double tsince)
{
    return propagateOnce<detail::Plan13Model>(elements, tsince);
}

PropagationResult Propaga_sgp(const PropagationElements& elements, double tsince)
{
    return propagateOnce<detail::SgpModel>(elements, tsince);
}

PropagationResult Propaga_sgp4(const PropagationElements& elements, double tsince)
{
    return propagateOnce<detail::Sgp4Model>(elements, tsince);
}

PropagationResult Propaga_sdp4(const PropagationElements& elements, double tsince)
{
    return propagateOnce<detail::Sdp4Model>(elements, tsince);
}

} // namespace mSat
