#include "host/db/ZLeb.h"

#include "host/TextUtil.h"

CZLeb::CZLeb(CDatabase* pDb) : CTKRSet(pDb) {
    Define("leb",
           {
               {"leb_id", &m_strLebId},
               {"art", &m_strArt},
               {"name", &m_strName},
               {"vorname", &m_strVorname},
               {"md_id", &m_strMdId},
               {"gueltig_ab", &m_strGueltigAb},
               {"gueltig_bis", &m_strGueltigBis},
           },
           {"leb_id"});
}

int CZLeb::GetValidTechnikerLebs() {
    const CString strHeute = GetTKDate();
    return Query("art = ? AND (gueltig_ab = '' OR gueltig_ab <= ?) AND "
                 "(gueltig_bis = '' OR gueltig_bis >= ?) ORDER BY name, vorname, leb_id",
                 {"T", strHeute, strHeute});
}
