/* Runs an exported network named "net" on rows read from a file.
 *
 *   harness consult IN RAW TEXT   IN holds rows of net_INPUTS values as raw REALs; writes each
 *                                 row's outputs to RAW as raw REALs and to TEXT as corvina-cli
 *                                 consult writes them (%g, single blanks, one line per row)
 *   harness forward IN RAW        IN holds rows of net_INPUTS levels; writes the output levels
 *
 * REAL is double, or float when the network was exported with float tables. */
#include <stdio.h>
#include <string.h>

#include "net.h"

#ifndef REAL
#define REAL double
#endif

static int consult(FILE *in, FILE *raw, FILE *text)
{
    REAL values[net_INPUTS];
    REAL answers[net_OUTPUTS];
    int output;

    while (fread(values, sizeof values[0], net_INPUTS, in) == net_INPUTS) {
        net_consult(values, answers);
        if (fwrite(answers, sizeof answers[0], net_OUTPUTS, raw) != net_OUTPUTS)
            return 1;
        for (output = 0; output < net_OUTPUTS; ++output)
            fprintf(text, output + 1 < net_OUTPUTS ? "%g " : "%g\n", (double)answers[output]);
    }
    return 0;
}

static int forward(FILE *in, FILE *raw)
{
    uint8_t levels[net_INPUTS];
    uint8_t answers[net_OUTPUTS];

    while (fread(levels, 1, net_INPUTS, in) == net_INPUTS) {
        net_forward(levels, answers);
        if (fwrite(answers, 1, net_OUTPUTS, raw) != net_OUTPUTS)
            return 1;
    }
    return 0;
}

int main(int argc, char **argv)
{
    FILE *in;
    FILE *raw;
    FILE *text = NULL;
    int failed;

    if (argc < 4 || (strcmp(argv[1], "consult") == 0 && argc < 5))
        return 2;
    in = fopen(argv[2], "rb");
    raw = fopen(argv[3], "wb");
    if (strcmp(argv[1], "consult") == 0)
        text = fopen(argv[4], "w");
    if (in == NULL || raw == NULL || (strcmp(argv[1], "consult") == 0 && text == NULL))
        return 3;
    failed = text != NULL ? consult(in, raw, text) : forward(in, raw);
    fclose(in);
    if (text != NULL && fclose(text) != 0)
        failed = 1;
    if (fclose(raw) != 0)
        failed = 1;
    return failed;
}
