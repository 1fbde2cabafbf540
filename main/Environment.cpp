#include "Environment.h"

Environment Environment::system()
{
    Environment env;
    return env;
}
