// The engine's floating-point object on a host where it is a float.
#include "platform/engine/objects/ddi_types.h"

void FLOATOBJ_SetFloat(PFLOATOBJ pf, FLOATL f) { *pf = f; }
void FLOATOBJ_SetLong(PFLOATOBJ pf, LONG l) { *pf = static_cast<FLOAT>(l); }
LONG FLOATOBJ_GetLong(PFLOATOBJ pf) { return static_cast<LONG>(*pf); }
FLOATL FLOATOBJ_GetFloat(PFLOATOBJ pf) { return *pf; }
void FLOATOBJ_MulLong(PFLOATOBJ pf, LONG l) { *pf *= static_cast<FLOAT>(l); }
void FLOATOBJ_MulFloat(PFLOATOBJ pf, FLOATL f) { *pf *= f; }
void FLOATOBJ_Mul(PFLOATOBJ pf, PFLOATOBJ pf1) { *pf *= *pf1; }
void FLOATOBJ_DivLong(PFLOATOBJ pf, LONG l) { *pf /= static_cast<FLOAT>(l); }
void FLOATOBJ_Div(PFLOATOBJ pf, PFLOATOBJ pf1) { *pf /= *pf1; }
void FLOATOBJ_AddLong(PFLOATOBJ pf, LONG l) { *pf += static_cast<FLOAT>(l); }
void FLOATOBJ_Add(PFLOATOBJ pf, PFLOATOBJ pf1) { *pf += *pf1; }
void FLOATOBJ_Neg(PFLOATOBJ pf) { *pf = -*pf; }
BOOL FLOATOBJ_EqualLong(PFLOATOBJ pf, LONG l) { return *pf == static_cast<FLOAT>(l); }
BOOL FLOATOBJ_GreaterThanLong(PFLOATOBJ pf, LONG l) { return *pf > static_cast<FLOAT>(l); }
BOOL FLOATOBJ_LessThanLong(PFLOATOBJ pf, LONG l) { return *pf < static_cast<FLOAT>(l); }
