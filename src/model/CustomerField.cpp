#include "CustomerField.h"

void CopyCustomerFields(const TThCustomerObject& from, TThCustomerObject& to) {
    for (const CustomerField& field : CustomerFields) {
        to.*field.Member = from.*field.Member;
    }
}
