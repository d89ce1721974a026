-- Kestrova database layout, version 7011.
-- Keys are numbered by the program (last key + 1), so they are indexed but not declared as keys.

CREATE TABLE AVALIADOS (
    Avaliado INTEGER,
    Nome TEXT,
    Apelido TEXT,
    Nascimento DATETIME,
    Sexo TEXT,
    Altura DOUBLE,
    Modalidade TEXT,
    Posicao TEXT,
    Observacao TEXT
);

CREATE TABLE GRUPOS (
    Grupo INTEGER,
    Nome TEXT,
    Temporada TEXT,
    Observacao TEXT
);

CREATE TABLE PROTOCOLOS (
    Protocolo INTEGER,
    Nome TEXT,
    TipoErgometro TEXT,
    NumEstagios INTEGER,
    TipoEstagio TEXT,
    UnidCarga TEXT,
    DuracaoTotal INTEGER,
    RPM INTEGER
);

CREATE TABLE PROTOCOLOSESTAGIOS (
    Protocolo INTEGER,
    Estagio INTEGER NOT NULL,
    Duracao INTEGER,
    DuracaoFim INTEGER,
    Carga DOUBLE,
    CargaKgfm DOUBLE,
    CargaIncr DOUBLE,
    Inclinacao DOUBLE,
    InclinacaoIncr DOUBLE,
    RPM INTEGER,
    RecEstagio INTEGER,
    RecDuracao INTEGER,
    RecDuracaoFim INTEGER,
    RecCarga DOUBLE,
    RecCargaKgfm DOUBLE,
    RecCargaIncr DOUBLE,
    RecInclinacao DOUBLE,
    RecInclinacaoIncr DOUBLE,
    RecRPM INTEGER
);

CREATE TABLE AVALIACOES (
    Avaliacao INTEGER,
    Avaliado INTEGER,
    Grupo INTEGER,
    Protocolo INTEGER,
    Individuo TEXT,
    TipoTeste TEXT,
    TipoErgometro TEXT,
    AquisicaoFC TEXT,
    Data DATETIME,
    Idade INTEGER,
    Sexo TEXT,
    Peso DOUBLE,
    FCRepouso INTEGER,
    Gordura DOUBLE,
    Avaliador TEXT,
    Observacao TEXT,
    CargaMaxAtingida DOUBLE,
    CargaMaxAmostra INTEGER,
    CargaMaxTempoMin DOUBLE,
    CargaMaxTempoSeg INTEGER,
    FCLimiar INTEGER,
    FCLimiarAmostra INTEGER,
    FCMaxPrevistaCiclo INTEGER,
    FCMaxPrevistaEsteira INTEGER,
    FCMaximaIdade INTEGER,
    FCMaxAtingida INTEGER,
    FCMaxAmostra INTEGER,
    FatorFCReservaEsteira DOUBLE,
    FatorFCReservaCiclo DOUBLE,
    FatorFCReservaTeste DOUBLE,
    FatorReservaLV2 DOUBLE,
    AmostrasEstagio INTEGER,
    CargaAmostra DOUBLE,
    MediaDifFC3m DOUBLE,
    AmostrasAcrescidas INTEGER,
    TotalAmostrasProjetadas INTEGER,
    EstagiosAcrescidos INTEGER,
    CargaAcrescida DOUBLE,
    CargaMaxProjetada DOUBLE,
    CargaKgfmMaxProjetada DOUBLE,
    TempoAcrescidoSeg INTEGER,
    TempoTotalProjetadoMin DOUBLE,
    TempoTotalProjetadoSeg INTEGER,
    VO2Maximo DOUBLE,
    UnidCarga TEXT,
    RPM INTEGER,
    FCLimiar1 INTEGER,
    FCLimiar1Amostra INTEGER
);

CREATE TABLE AVALIACOESDADOS (
    Avaliacao INTEGER,
    SeqAmostra INTEGER NOT NULL,
    Estagio INTEGER,
    Carga DOUBLE,
    CargaKgfm DOUBLE,
    Inclinacao DOUBLE,
    DistanciaPerAmostra DOUBLE,
    DistanciaPerEsteira DOUBLE,
    Velocidade DOUBLE,
    TempoKm DOUBLE,
    VE DOUBLE,
    DifVE DOUBLE,
    VEMed DOUBLE,
    VE4 DOUBLE,
    DifVE4 DOUBLE,
    FC INTEGER,
    DifFC INTEGER,
    PFCMaxima DOUBLE,
    VO2RelCarga DOUBLE,
    PVO2FC DOUBLE,
    VO2RelFC DOUBLE,
    VO2Absoluto DOUBLE,
    GastoEnergetico DOUBLE,
    VO2MassaMagra DOUBLE,
    VEVO2 DOUBLE,
    VE4VO2 DOUBLE,
    R DOUBLE,
    MET DOUBLE,
    PGlicogenio DOUBLE,
    PGordura DOUBLE,
    PFCReservaTeste DOUBLE,
    PFCMaxIdade DOUBLE,
    PFCReservaIdade DOUBLE,
    PFCLimiar DOUBLE,
    TempoTotal INTEGER,
    PFCLimiar1 DOUBLE
);

CREATE TABLE LABORATORIO (
    Nome TEXT,
    AvaliadorPadrao INTEGER,
    RelLogo BLOB,
    RelMargemInf DOUBLE,
    RelRodape TEXT
);

CREATE TABLE AVALIADORES (
    Avaliador INTEGER,
    Nome TEXT,
    Observacao TEXT
);

CREATE INDEX IF NOT EXISTS IX_AVALIADOS ON AVALIADOS (Avaliado);
CREATE INDEX IF NOT EXISTS IX_GRUPOS ON GRUPOS (Grupo);
CREATE INDEX IF NOT EXISTS IX_PROTOCOLOS ON PROTOCOLOS (Protocolo);
CREATE INDEX IF NOT EXISTS IX_PROTOCOLOSESTAGIOS ON PROTOCOLOSESTAGIOS (Protocolo, Estagio);
CREATE INDEX IF NOT EXISTS IX_AVALIACOES ON AVALIACOES (Avaliacao);
CREATE INDEX IF NOT EXISTS IX_AVALIACOESDADOS ON AVALIACOESDADOS (Avaliacao, SeqAmostra);
CREATE INDEX IF NOT EXISTS IX_AVALIADORES ON AVALIADORES (Avaliador);
