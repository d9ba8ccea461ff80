#include "engine/function_table.h"

namespace tally {

namespace {

using F = FunctionFamily;
constexpr int any = kAnyCount;

constexpr std::array<FunctionSpec, kBuiltInFunctionCount> kTable = {{
    {Function::Abs, u"Abs", u"Abs(x)", 1, 1, F::Elementary},
    {Function::Round, u"Round", u"Round (x [,NumDecimalPlaces])", 1, 2, F::Elementary},
    {Function::Cos, u"Cos", u"Cos(x)", 1, 1, F::Elementary},
    {Function::Exp, u"Exp", u"Exp(x)", 1, 1, F::Elementary},
    {Function::Floor, u"Floor", u"Floor(x)", 1, 1, F::Elementary},
    {Function::Int, u"Int", u"Int(x)", 1, 1, F::Elementary},
    {Function::Ln, u"Ln", u"Ln(x)", 1, 1, F::Elementary},
    {Function::Log, u"Log", u"Log(x)", 1, 1, F::Elementary},
    {Function::Sqrt, u"Sqrt", u"Sqrt(x)", 1, 1, F::Elementary},
    {Function::Sign, u"Sign", u"Sign(x)", 1, 1, F::Elementary},
    {Function::Sin, u"Sin", u"Sin(x)", 1, 1, F::Elementary},
    {Function::Root, u"Root", u"Root(x [,n])", 1, 2, F::Elementary},
    {Function::Tg, u"Tg", u"Tg(x)", 1, 1, F::Elementary},
    {Function::LogN, u"LogN", u"LogN(x,N)", 2, 2, F::Elementary},
    {Function::Ctg, u"Ctg", u"Ctg(x)", 1, 1, F::Elementary},
    {Function::Sc, u"Sc", u"Sc(x)", 1, 1, F::Elementary},
    {Function::Csc, u"Csc", u"Csc(x)", 1, 1, F::Elementary},
    {Function::ArcTg, u"ArcTg", u"ArcTg(x)", 1, 1, F::Elementary},
    {Function::ArcSin, u"ArcSin", u"ArcSin(x)", 1, 1, F::Elementary},
    {Function::ArcCos, u"ArcCos", u"ArcCos(x)", 1, 1, F::Elementary},
    {Function::ArcSc, u"ArcSc", u"ArcSc(x)", 1, 1, F::Elementary},
    {Function::ArcCsc, u"ArcCsc", u"ArcCsc(x)", 1, 1, F::Elementary},
    {Function::ArcCtg, u"ArcCtg", u"ArcCtg(x)", 1, 1, F::Elementary},
    {Function::Sh, u"Sh", u"Sh(x)", 1, 1, F::Elementary},
    {Function::Ch, u"Ch", u"Ch(x)", 1, 1, F::Elementary},
    {Function::Th, u"Th", u"Th(x)", 1, 1, F::Elementary},
    {Function::Sch, u"Sch", u"Sch(x)", 1, 1, F::Elementary},
    {Function::Csch, u"Csch", u"Csch(x)", 1, 1, F::Elementary},
    {Function::Cth, u"Cth", u"Cth(x)", 1, 1, F::Elementary},
    {Function::ArSh, u"ArSh", u"ArSh(x)", 1, 1, F::Elementary},
    {Function::ArCh, u"ArCh", u"ArCh(x)", 1, 1, F::Elementary},
    {Function::ArTh, u"ArTh", u"ArTh(x)", 1, 1, F::Elementary},
    {Function::ArSch, u"ArSch", u"ArSch(x)", 1, 1, F::Elementary},
    {Function::ArCsch, u"ArCsch", u"ArCsch(x)", 1, 1, F::Elementary},
    {Function::ArCth, u"ArCth", u"ArCth(x)", 1, 1, F::Elementary},
    {Function::Ave, u"Ave", u"Ave(x1,x2,x3,...,xn)", 0, any, F::Statistics},
    {Function::Sum, u"Sum", u"Sum(x1,x2,x3,...,xn)", 0, any, F::Statistics},
    {Function::Min, u"Min", u"Min(x1,x2,x3,...,xn)", 0, any, F::Statistics},
    {Function::Max, u"Max", u"Max(x1,x2,x3,...,xn)", 0, any, F::Statistics},
    {Function::FSum, u"FSum", u"FSum(f(x),x=a,b [,step=1])", 3, 4, F::Solver, 1},
    {Function::FInt, u"FInt", u"FInt(f(x),x=a,b)", 3, 3, F::Solver, 1},
    {Function::SumSq, u"SumSq", u"SumSq(x1,x2,x3,...,xn)", 0, any, F::Statistics},
    {Function::Norm, u"Norm", u"Norm(x1,x2,x3,...,xn)", 0, any, F::Statistics},
    {Function::DevSq, u"DevSq", u"DevSq(x1,x2,x3,...,xn)", 0, any, F::Statistics},
    {Function::VarP, u"VarP", u"VarP(x1,x2,x3,...,xn)", 0, any, F::Statistics},
    {Function::Var, u"Var", u"Var(x1,x2,x3,...,xn)", 0, any, F::Statistics},
    {Function::Std, u"Std", u"Std(x1,x2,x3,...,xn)", 0, any, F::Statistics},
    {Function::StdP, u"StdP", u"StdP(x1,x2,x3,...,xn)", 0, any, F::Statistics},
    {Function::Fract, u"Fract", u"Fract(x)", 1, 1, F::Elementary},
    {Function::DegToRad, u"DegToRad", u"DegToRad(x)", 1, 1, F::Elementary},
    {Function::RadToDeg, u"RadToDeg", u"RadToDeg(x)", 1, 1, F::Elementary},
    {Function::Prime, u"Prime", u"Prime(x)", 1, 1, F::Special},
    {Function::FDiff, u"FDiff", u"FDiff(f(x),x=a)", 2, 2, F::Solver, 1},
    {Function::FDiff2, u"FDiff2", u"FDiff2(f(x),x=a)", 2, 2, F::Solver, 1},
    {Function::FDiff3, u"FDiff3", u"FDiff3(f(x),x=a)", 2, 2, F::Solver, 1},
    {Function::FZero, u"FZero", u"FZero(f(x),x=a,b)", 3, 3, F::Solver, 1},
    {Function::FMin, u"FMin", u"FMin(f(x),x=a,b)", 3, 3, F::Solver, 1},
    {Function::FMax, u"FMax", u"FMax(f(x),x=a,b)", 3, 3, F::Solver, 1},
    {Function::DDB, u"DDB", u"DDB(cost,salvage,life,period [,factor])", 4, 5, F::Finance},
    {Function::FV, u"FV", u"FV(rate,nper,pmt [,pv [,type]])", 3, 5, F::Finance},
    {Function::IPmt, u"IPmt", u"IPmt(rate,per,nper,pv [,fv [,type]])", 4, 6, F::Finance},
    {Function::IRR, u"IRR", u"IRR(val1,val2,val3,...,valn)", 2, any, F::Finance},
    {Function::MIRR, u"MIRR", u"MIRR(finance_rate,reinvest_rate,val1,val2,val3,...,valn)", 4, any,
     F::Finance},
    {Function::NPer, u"NPer", u"NPer(rate,pmt,pv [,fv [,type]])", 3, 5, F::Finance},
    {Function::NPV, u"NPV", u"NPV(rate,val1,val2,val3,...,valn)", 3, any, F::Finance},
    {Function::Pmt, u"Pmt", u"Pmt(rate,nper,pv [,fv [,type]])", 3, 5, F::Finance},
    {Function::PPmt, u"PPmt", u"PPmt(rate,per,nper,pv [,fv [,type]])", 4, 6, F::Finance},
    {Function::PV, u"PV", u"PV(rate,nper,pmt [,fv [,type]])", 3, 5, F::Finance},
    {Function::Rate, u"Rate", u"Rate(nper,pmt,pv [,fv [,type [,guess]]])", 3, 6, F::Finance},
    {Function::SLN, u"SLN", u"SLN(cost,salvage,life)", 3, 3, F::Finance},
    {Function::SYD, u"SYD", u"SYD(cost,salvage,life,period)", 4, 4, F::Finance},
    {Function::Erf, u"Erf", u"Erf(x)", 1, 1, F::Special},
    {Function::Bico, u"Bico", u"BiCo(n,m)", 2, 2, F::Special},
    {Function::Gamma, u"Gamma", u"Gamma(x)", 1, 1, F::Special},
    {Function::II, u"II", u"II(x)", 1, 1, F::Special},
    {Function::Combin, u"Combin", u"Combin(n,m)", 2, 2, F::Special},
    {Function::Accomod, u"Accomod", u"Accomod(n,m)", 2, 2, F::Special},
    {Function::Permut, u"Permut", u"Permut(n)", 1, 1, F::Special},
    {Function::Erfc, u"Erfc", u"Erfc(x)", 1, 1, F::Special},
    {Function::Rand, u"Rand", u"Rand([x])", 0, 1, F::Special},
    {Function::FPlot, u"FPlot", u"FPlot(f(x),x=a,b [,fmin,fmax] [,NumPoints=100])", 3, 6, F::Solver,
     1},
    {Function::YPlot, u"YPlot", u"YPlot(y)", 1, 1, F::Solver},
    {Function::XYPlot, u"XYPlot",
     u"XYPlot(x(t),y(t),t=a,b [,xmin,xmax,ymin,ymax] [,NumPoints=100])", 4, 9, F::Solver, 2},
    {Function::Do, u"Do", u"Do(f(x),x=a,b [,NumLoops=2])", 3, 4, F::Solver, 1},
    {Function::Ceil, u"Ceil", u"Ceil(x)", 1, 1, F::Elementary},
}};

// Each row stands at the index its function's number gives.
constexpr bool rowsInNumberOrder() {
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (numberOf(kTable[i].function) != static_cast<int>(i) + 1) return false;
    }
    return true;
}
static_assert(rowsInNumberOrder());

}  // namespace

const std::array<FunctionSpec, kBuiltInFunctionCount>& functionTable() {
    return kTable;
}

}  // namespace tally
