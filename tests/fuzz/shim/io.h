// Nothing of it is needed natively: framework/win/Framework.h of this folder declares what is used.
#pragma once
